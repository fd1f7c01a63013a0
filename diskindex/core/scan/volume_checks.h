#pragma once
// The rules the add/change dialog applies before a drive is read: the names
// of a numbered series, the series count typed by the user, the uniqueness of
// volume names and the warning about a volume label that is already in the
// catalogue. Plain functions over names and labels; the dialog asks the
// questions and the catalogue supplies the lists.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace diskindex::scan {

// Volume i of n: "%1" (first one) becomes i and then the first "%2" becomes
// n; a name without "%1" gets " i/n" appended ("Handbuch" -> "Handbuch 1/3").
std::string seriesName(std::string_view pattern, int index, int count);

// The count typed into the series field: a number below 1 or no number is 1.
int seriesCount(std::string_view text);

// The names a dialog result stands for: the name itself when count is 0
// (no series), else the series names 1..count.
std::vector<std::string> namesToCheck(std::string_view name, int count);

// The first of names that equals one of otherNames without regard to case.
std::optional<std::string> findNameConflict(const std::vector<std::string>& names,
                                            const std::vector<std::string>& otherNames);

// The first of names that, as a name field of the given encoding stores it
// (cut to 50 bytes at a character boundary), equals one of otherNames or
// another of names (a series whose numbers were cut off). The cut form is
// returned, since that is the name the volume would get.
std::optional<std::string> findStoredNameConflict(const std::vector<std::string>& names,
                                                  const std::vector<std::string>& otherNames,
                                                  bool utf8);

// True when label is not empty and equals (case aside) any stored label.
bool labelAlreadyCatalogued(std::string_view label, const std::vector<std::string>& storedLabels);

}  // namespace diskindex::scan
