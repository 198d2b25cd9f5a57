#pragma once
// The carried data files compiled into the program (Qt resources ":/DATAFILE/<n>").

#include "DataFiles.hpp"

namespace kitforge {

class ResourceDataFiles : public IDataFiles {
  public:
    // Registers the resources of the static library (once per process).
    ResourceDataFiles();
    bool Read(int number, std::string& bytes, std::string& problem) override;
};

}  // namespace kitforge
