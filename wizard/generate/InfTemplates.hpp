// SPDX-FileCopyrightText: 2026 Zelvo developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The three INF templates and the filling of their tokens.
//
// A template is one block of text, one template line per source line. «Name» marks
// where a record value goes, ⇥ stands for a tab, ␠ for a space at the end of a
// line (so that neither can be lost to an editor). Filling turns every line end
// into CR LF, the last line included.

#include <string>
#include <string_view>
#include <vector>

namespace kitforge {

class CWizardData;

extern const std::string_view kBusInfTemplate;       // <prefix>bus.inf, 149 lines
extern const std::string_view kSerialInfTemplate;    // <prefix>w2k.inf, 151 lines
extern const std::string_view kLinkvaneInfTemplate;  // <prefix>.inf, 81 lines

// The text of a template with the record's values inserted. A value that lands
// between double quotes has '"' written as '""', so that the INF's quoted string
// stays one string; '%' is written once, because the lines that use a [Strings]
// value through its %key% receive the value as written. Elsewhere values are
// inserted unchanged.
std::string FillInfTemplate(std::string_view templateText, const CWizardData& data);

// The record value that a template token («Company», «Prefix» ...) stands for.
std::string InfTokenValue(std::string_view token, const CWizardData& data);

// A field of a template line that holds record values, measured as the INF parser
// reads it: comments dropped, fields split at ',' and the key at '=', quotes that
// delimit a string not counted, a doubled quote counted once, blanks around the
// field dropped. The field's length is fixedLength plus the lengths of its tokens'
// values.
struct InfValueField {
    std::string key;                  // the key of its line ("Provider", "INSTDISK")
    std::vector<std::string> tokens;  // token names in the field, in order
    std::size_t fixedLength = 0;      // template characters in the field
};
std::vector<InfValueField> InfValueFields(std::string_view templateText);

}  // namespace kitforge
