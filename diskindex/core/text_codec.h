#pragma once
// Conversion of the catalogue's on-disk texts (Windows-1252, or UTF-8 in a
// volume marked as such) to and from the UTF-8 the program works with, and
// cutting a text to a field's byte size without splitting a character.

#include <cstddef>
#include <string>
#include <string_view>

namespace diskindex {

// Stored bytes to UTF-8. In UTF-8 mode invalid sequences (a damaged file)
// are read as Windows-1252 rather than passed on.
std::string decodeStoredText(std::string_view bytes, bool utf8);
// UTF-8 to stored bytes; the caller has chosen utf8 when Windows-1252 cannot
// hold the text.
std::string encodeStoredText(std::string_view text, bool utf8);
// Appends the UTF-8 form of Windows-1252 bytes (the tree loader's fast path).
void appendCp1252AsUtf8(std::string& out, std::string_view bytes);
// At most maxBytes bytes; in UTF-8 mode never ends inside a character, and
// never between the CR and the LF of a line break.
std::string_view cutToBytes(std::string_view bytes, std::size_t maxBytes, bool utf8);
// The UTF-8 text a field of maxBytes bytes gives back once the text is
// stored in it: encoded, cut as cutToBytes cuts, decoded (a text that
// Windows-1252 cannot hold is cut as UTF-8). Checks on stored texts (unique
// volume names) compare this, not what was typed.
std::string storedFieldText(std::string_view text, std::size_t maxBytes, bool utf8);
// The bytes of UTF-8 text that fit maxBytes bytes once stored: a line break
// counts as the CR LF it is stored as, also when it is a lone LF (as an edit
// field gives it), and in Windows-1252 every character is one byte. The
// prefix ends at a character boundary and never between CR and LF; it is
// where an edit field that must not take more cuts what was typed or pasted.
std::size_t fittingPrefix(std::string_view text, std::size_t maxBytes, bool utf8);
// The first maxCharacters characters (code points) of UTF-8 text.
std::string cutCharacters(std::string_view text, std::size_t maxCharacters);
// The part of a fixed field before its first NUL.
std::string_view fieldText(const unsigned char* field, std::size_t size);

}  // namespace diskindex
