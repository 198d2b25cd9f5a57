#include "DataLogWriter.hpp"

#include "FileUtil.hpp"
#include "UtilityError.hpp"

namespace zelvo {

bool DataLogWriter::WriteLine(const std::string& path, const std::string& line) {
    std::optional<ZelvoError> failure = TryAppendLine(path, line);
    if (!failure) {
        failureShown_ = false;
        return true;
    }
    if (!failureShown_) {
        failureShown_ = true;
        ShowUtilityError(kAppendToTextFileTitle, *failure);
    }
    return false;
}

}  // namespace zelvo
