#pragma once
// The three INF templates and the filling of their tokens.
//
// A template is one block of text, one template line per source line. «Name» marks
// where a record value goes, ⇥ stands for a tab, ␠ for a space at the end of a
// line (so that neither can be lost to an editor). Filling turns every line end
// into CR LF, the last line included.

#include <string>
#include <string_view>

namespace kitforge {

class CWizardData;

extern const std::string_view kBusInfTemplate;       // <prefix>bus.inf, 149 lines
extern const std::string_view kSerialInfTemplate;    // <prefix>w2k.inf, 151 lines
extern const std::string_view kLinkvaneInfTemplate;  // <prefix>.inf, 81 lines

// The text of a template with the record's values inserted. A value that lands
// between double quotes has '"' written as '""' and '%' as '%%', so that the INF's
// quoted string stays one string without substitutions; elsewhere values are
// inserted unchanged.
std::string FillInfTemplate(std::string_view templateText, const CWizardData& data);

}  // namespace kitforge
