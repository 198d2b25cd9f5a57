#pragma once
// Where zelvomon-cli's sweeps go besides the data log: one record per sweep on
// standard output in the chosen format, and to the MQTT broker when the setup
// file turns publishing on.

#include <iosfwd>
#include <memory>
#include <string>

#include "MqttPublisher.hpp"
#include "RecordFormat.hpp"

namespace zelvo::cli {

class RecordOutput {
  public:
    RecordOutput(RecordFormat format, std::ostream& out) : format_(format), out_(out) {}
    // Writes the record (the CSV header before the first); false once the output
    // can no longer be written (a closed pipe).
    bool Write(const SweepRecord& record);

  private:
    RecordFormat format_;
    std::ostream& out_;
    bool headerWritten_ = false;
};

// The publisher of a run, with its link reported on standard error as it changes.
class ConsolePublishing {
  public:
    // Starts publishing when the settings ask for it; a failure to start is
    // reported and the run goes on without it.
    ConsolePublishing(const MainState& state, const std::string& setupFile);
    void Publish(const SweepRecord& record);
    // Reports the link when it came up or went down since the last call.
    void ReportLink();
    // The last word: the link closed, how many messages went out and how many
    // were dropped.
    void Finish();

  private:
    std::unique_ptr<MqttPublisher> publisher_;
    std::string prefix_;
    std::string broker_;
    bool connected_ = false;
};

}  // namespace zelvo::cli
