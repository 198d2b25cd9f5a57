// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "PublishStatus.hpp"

#include <QStatusBar>

#include "LinkStatusText.hpp"
#include "QtText.hpp"

namespace zelvo::qt {

PublishStatus::PublishStatus(QMainWindow& window) : lblMqtt(new QLabel(window.statusBar())) {
    lblMqtt->setObjectName("lblMqtt");
    window.statusBar()->setObjectName("sbrStatus");
    window.statusBar()->addWidget(lblMqtt);
    Show(LinkStatus{}, "");
}

void PublishStatus::Show(const LinkStatus& status, const std::string& offReason) {
    const LinkStatusLine line = DescribeLink(status, offReason);
    lblMqtt->setText(Q(line.text));
    lblMqtt->setToolTip(Q(line.tip));
}

}  // namespace zelvo::qt
