// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window publishing its sweeps to a real broker started by the test, and its
// status area.

#include <QtTest>

#include "MosquittoBroker.hpp"
#include "WindowHarness.hpp"

namespace zelvo {

using testing::MosquittoBroker;
using testing::OnTopic;
using testing::ReceivedMessage;
using testing::TestSubscriber;
using testing::WindowHarness;
using Messages = std::vector<ReceivedMessage>;

class WindowPublishTest : public QObject {
    Q_OBJECT
  private slots:
    void runningSweepsArePublishedUntilTheWindowCloses();
};

void WindowPublishTest::runningSweepsArePublishedUntilTheWindowCloses() {
    WindowHarness h;
    MosquittoBroker broker(h.folder.Path("broker"));
    QVERIFY(broker.Start());
    TestSubscriber subscriber(broker.Port(), "zelvo/#");
    h.StartUp();
    const QLabel* status = h.W().findChild<QLabel*>("lblMqtt");
    QVERIFY(status != nullptr);
    h.State().MqttEnabled = "1";
    h.State().MqttHost = "127.0.0.1";
    // A port the publisher cannot use is refused once; the status area keeps the reason.
    h.State().MqttPort = "70000";
    const size_t shown = h.MessageTexts().size();
    h.Sweep(2);
    const std::string refusal = "[Mqtt] Port=70000 is not a port (1 to 65535)";
    QCOMPARE(h.MessageTexts().size(), shown + 1);
    QCOMPARE(h.LastMessage(), "Error: 5. " + refusal);
    QCOMPARE(status->text(), QString("MQTT: off"));
    QCOMPARE(status->toolTip(), QString::fromStdString("MQTT publishing is off: " + refusal));

    h.State().MqttPort = std::to_string(broker.Port());
    h.Sweep(1);  // stopped: the link comes up, no readings yet
    auto statusIs = [](const std::string& payload, const std::string& topic = "zelvo/lab/status") {
        return [=](const Messages& m) {
            const Messages status = OnTopic(m, topic);
            return !status.empty() && status.back().payload == payload;
        };
    };
    QVERIFY(subscriber.WaitFor(statusIs("online")));

    QTest::mouseClick(h.W().runBar.cmdFSwitch[0], Qt::LeftButton);
    h.Sweep(3);
    QTest::mouseClick(h.W().runBar.cmdFSwitch[0], Qt::LeftButton);
    QVERIFY(subscriber.WaitFor(
        [](const Messages& m) { return OnTopic(m, "zelvo/lab/1/reading").size() >= 3; }));
    const Messages readings = OnTopic(subscriber.Messages(), "zelvo/lab/1/reading");
    QCOMPARE(readings.size(), size_t{3});  // one a sweep of the run, none while stopped
    QVERIFY2(status->text().startsWith(QString::fromUtf8("MQTT: connected \u00B7 ")),
             qPrintable(status->text()));
    h.Sweep(1);  // the run has stopped: so says the channel's retained status
    QVERIFY(subscriber.WaitFor(statusIs("stopped", "zelvo/lab/1/status")));

    h.Close();
    QVERIFY(subscriber.WaitFor(statusIs("stopped")));
}

}  // namespace zelvo

QTEST_MAIN(zelvo::WindowPublishTest)
#include "WindowPublishTest.moc"
