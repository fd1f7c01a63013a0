#include "calculator/core/keypad_faces.h"

#include <array>

#include "calculator/core/key_table.h"

namespace finova {
namespace {

struct FaceText {
  std::string_view mnemonic;
  std::string_view name;
  std::string_view text;
};

// Keys whose bitmap name or printed text differ from their mnemonic.
constexpr std::array<FaceText, 50> kFaceTexts = {{
    {"+", "PLUS", "+"},
    {"-", "MINUS", "\u2212"},
    {"*", "TIMES", "\u00d7"},
    {"/", "DIVIDE", "\u00f7"},
    {".", "POINT", "\u00b7"},
    {"N", "N", "n"},
    {"I", "I", "i"},
    {"Y^X", "YPOWX", "y\u02e3"},
    {"1/X", "RECIP", "1/x"},
    {"%TOT", "PCTTOT", "%T"},
    {"%DIFF", "PCTDIFF", "\u0394%"},
    {"%", "PCT", "%"},
    {"RDOWN", "RDOWN", "R\u2193"},
    {"X<->Y", "SWAP", "x\u2194y"},
    {"CLX", "CLX", "CLx"},
    {"SUM+", "SUMPLUS", "\u03a3+"},
    {"AMRT", "AMRT", "AMORT"},
    {"12*", "TIMES12", "12\u00d7"},
    {"12/", "DIV12", "12\u00f7"},
    {"CF0", "CF0", "CFo"},
    {"CFJ", "CFJ", "CFj"},
    {"NJ", "NJ", "Nj"},
    {"NOM%", "NOMPCT", "NOM%"},
    {"EFF%", "EFFPCT", "EFF%"},
    {"SQRT", "SQRT", "\u221ax"},
    {"E^X", "EPOWX", "e\u02e3"},
    {"DDYS", "DDYS", "\u0394DYS"},
    {"D.MY", "DMY", "D.MY"},
    {"M.DY", "MDY", "M.DY"},
    {"WMEAN", "WMEAN", "x\u0304w"},
    {"C_SUM", "CSUM", "\u03a3"},
    {"C_PGM", "CPGM", "PRGM"},
    {"C_FIN", "CFIN", "FIN"},
    {"C_REG", "CREG", "REG"},
    {"<--", "BACK", "\u2190"},
    {"X<=Y", "XLEY", "x\u2264y"},
    {"X=0", "XEQ0", "x=0"},
    {"EST_X", "ESTX", "x\u0302,r"},
    {"EST_Y", "ESTY", "y\u0302,r"},
    {"N!", "FACT", "n!"},
    {"MU%C", "MUPCTC", "MU%C"},
    {"MU%P", "MUPCTP", "MU%P"},
    {"PI", "PI", "\u03c0"},
    {"RAN#", "RAND", "RAN#"},
    {"X^2", "XSQ", "x\u00b2"},
    {"P/R", "PR", "P/R"},
    {"R/S", "RS", "R/S"},
    {"10^X", "TENPOWX", "10\u02e3"},
    {"LSTX", "LSTX", "LSTx"},
    {"MEAN", "MEAN", "x\u0304"},
}};

}  // namespace

KeyFace keyFace(KeyCode code, int row) {
  KeyFace face;
  face.kind = row % 3 == 0   ? FaceKind::LabelAbove
              : row % 3 == 2 ? FaceKind::LabelBelow
                             : FaceKind::Key;
  const std::string_view mnemonic = compactMnemonic(code);
  if (code >= key::kDigit0 && code <= key::kDigit9) {
    face.name = "KEY" + std::string(mnemonic);
    face.text = std::string(mnemonic);
    return face;
  }
  face.name = std::string(mnemonic);
  face.text = std::string(mnemonic);
  if (mnemonic == "STDEV") face.text = "s";
  if (mnemonic == "SUM-") {
    face.name = "SUMMINUS";
    face.text = "\u03a3\u2212";
  }
  for (const FaceText& t : kFaceTexts) {
    if (t.mnemonic == mnemonic) {
      face.name = std::string(t.name);
      face.text = std::string(t.text);
    }
  }
  return face;
}

std::string faceBitmapName(const KeyFace& face, int faceNumber) {
  return face.name + std::to_string(faceNumber);
}

const std::vector<GroupCaption>& groupCaptions() {
  static const std::vector<GroupCaption> captions = {
      {"LBLBOND", "BOND", 3, 0, 1},        {"LBLDEPR", "DEPRECIATION", 3, 2, 4},
      {"LBLICONV", "INT. CONV.", 3, 5, 7}, {"LBLCLEAR", "CLEAR", 6, 1, 4},
      {"LBLMRKUP", "MARKUP", 9, 0, 1},
  };
  return captions;
}

}  // namespace finova
