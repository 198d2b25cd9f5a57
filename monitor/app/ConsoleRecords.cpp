#include "ConsoleRecords.hpp"

#include <iostream>

#include "MainState.hpp"

namespace zelvo::cli {

bool RecordOutput::Write(const SweepRecord& record) {
    switch (format_) {
        case RecordFormat::Text:
            out_ << TextLine(record) << '\n';
            break;
        case RecordFormat::Csv:
            if (!headerWritten_) out_ << CsvHeader(record) << '\n';
            headerWritten_ = true;
            out_ << CsvLine(record) << '\n';
            break;
        case RecordFormat::Jsonl:
            out_ << JsonLine(record) << '\n';
            break;
    }
    out_.flush();
    return static_cast<bool>(out_);
}

ConsolePublishing::ConsolePublishing(const MainState& state, const std::string& setupFile) {
    if (state.MqttEnabled != 1) return;
    prefix_ = TopicPrefix(state, setupFile);
    broker_ = state.MqttHost + ":" + std::to_string(state.MqttPort);
    MqttSettings settings;
    settings.host = state.MqttHost;
    settings.port = state.MqttPort;
    settings.prefix = prefix_;
    if (auto failure = StartPublisher(settings, publisher_)) {
        std::cerr << "zelvomon-cli: MQTT publishing is off: " << failure->Description() << "\n";
        return;
    }
    std::cerr << "MQTT: publishing to " << broker_ << " under " << prefix_ << "\n";
}

void ConsolePublishing::Publish(const SweepRecord& record) {
    if (!publisher_) return;
    for (PublishMessage& message : SweepMessages(prefix_, record))
        publisher_->Publish(std::move(message));
}

void ConsolePublishing::ReportLink() {
    if (!publisher_ || publisher_->Connected() == connected_) return;
    connected_ = !connected_;
    std::cerr << "MQTT: " << (connected_ ? "connected to " : "lost ") << broker_ << " ("
              << publisher_->Dropped() << " dropped so far)\n";
}

void ConsolePublishing::Finish() {
    if (!publisher_) return;
    publisher_->Stop();
    std::cerr << "MQTT: " << publisher_->Published() << " published, " << publisher_->Dropped()
              << " dropped\n";
}

}  // namespace zelvo::cli
