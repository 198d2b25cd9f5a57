// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Fourth page: the names the operating system shows for the USB device and, for
// the virtual COM port set, the COM port.

#include "CWizardPage.hpp"

class QLabel;
class QLineEdit;

namespace kitforge {

class CDeviceNamesPage : public CWizardPage {
    Q_OBJECT
  public:
    explicit CDeviceNamesPage(const CWizardData& data);

  protected:
    void Next() override;
    void Back() override;

  private:
    void Enter();

    QLineEdit* m_txtUsbDeviceName = nullptr;
    QLabel* m_lblUsbExample = nullptr;
    QLabel* m_lblComDeviceName = nullptr;
    QLineEdit* m_txtComDeviceName = nullptr;
    QLabel* m_lblComExample = nullptr;
};

}  // namespace kitforge
