#include "draft/host/ToleranceTable.h"

#include <cctype>
#include <cstdlib>
#include <cstring>

namespace {

constexpr int kRanges = 13;
// Upper limits of the size ranges (a size belongs to the first range whose
// limit it does not exceed).
constexpr double kRangeTop[kRanges] = {3, 6, 10, 18, 30, 50, 80, 120, 180, 250, 315, 400, 500};

constexpr int kLowestGrade = 4;
constexpr int kHighestGrade = 12;
// Standard tolerances in micrometres, IT4 to IT12, by range.
constexpr int kGrades[kRanges][kHighestGrade - kLowestGrade + 1] = {
    {3, 4, 6, 10, 14, 25, 40, 60, 100},          {4, 5, 8, 12, 18, 30, 48, 75, 120},
    {4, 6, 9, 15, 22, 36, 58, 90, 150},          {5, 8, 11, 18, 27, 43, 70, 110, 180},
    {6, 9, 13, 21, 33, 52, 84, 130, 210},        {7, 11, 16, 25, 39, 62, 100, 160, 250},
    {8, 13, 19, 30, 46, 74, 120, 190, 300},      {10, 15, 22, 35, 54, 87, 140, 220, 350},
    {12, 18, 25, 40, 63, 100, 160, 250, 400},    {14, 20, 29, 46, 72, 115, 185, 290, 460},
    {16, 23, 32, 52, 81, 130, 210, 320, 520},    {18, 25, 36, 57, 89, 140, 230, 360, 570},
    {20, 27, 40, 63, 97, 155, 250, 400, 630}};

// Upper deviations es of the shafts d to h (micrometres, by range).
struct UpperRow {
  char letter;
  int es[kRanges];
};
constexpr UpperRow kShaftUpper[] = {
    {'d', {-20, -30, -40, -50, -65, -80, -100, -120, -145, -170, -190, -210, -230}},
    {'e', {-14, -20, -25, -32, -40, -50, -60, -72, -85, -100, -110, -125, -135}},
    {'f', {-6, -10, -13, -16, -20, -25, -30, -36, -43, -50, -56, -62, -68}},
    {'g', {-2, -4, -5, -6, -7, -9, -10, -12, -14, -15, -17, -18, -20}},
    {'h', {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}}};
// Lower deviations ei of the shafts k (grades 4 to 7), m, n and p.
constexpr UpperRow kShaftLower[] = {
    {'k', {0, 1, 1, 1, 2, 2, 2, 3, 3, 4, 4, 4, 5}},
    {'m', {2, 4, 6, 7, 8, 9, 11, 13, 15, 17, 20, 21, 23}},
    {'n', {4, 8, 10, 12, 15, 17, 20, 23, 27, 31, 34, 37, 40}},
    {'p', {6, 12, 15, 18, 22, 26, 32, 37, 43, 50, 56, 62, 68}}};

const int* Find(const UpperRow* rows, int count, char letter) {
  for (int i = 0; i < count; ++i)
    if (rows[i].letter == letter) return rows[i].es;
  return nullptr;
}

int Tolerance(int range, int grade) { return kGrades[range][grade - kLowestGrade]; }

// The shaft's lower deviation ei of a letter k, m, n or p at a grade.
int ShaftLower(const int* ei, char letter, int range, int grade) {
  if (letter == 'k' && (grade < 4 || grade > 7)) return 0;
  return ei[range];
}

CStringA Micrometres(int um) {
  if (um == 0) return "0";
  CStringA text;
  text.Format("%c%d.%03d", um < 0 ? '-' : '+', std::abs(um) / 1000, std::abs(um) % 1000);
  return text;
}

}  // namespace

int LookupToleranceDeviation(const char* basicSize, const char* code, CStringA& upper, CStringA& lower) {
  upper.Empty();
  lower.Empty();
  if (!basicSize || !code) return 0;
  const double size = std::atof(basicSize);
  if (!(size > 0.0) || size > kRangeTop[kRanges - 1]) return 0;
  int range = 0;
  while (size > kRangeTop[range]) ++range;

  // The code: one letter or "js"/"JS", then the grade.
  const char* p = code;
  while (*p == ' ') ++p;
  if (!std::isalpha(static_cast<unsigned char>(*p))) return 0;
  const bool hole = std::isupper(static_cast<unsigned char>(*p));
  const char letter = static_cast<char>(std::tolower(static_cast<unsigned char>(*p++)));
  bool js = false;
  if (letter == 'j' && (*p == 's' || *p == 'S')) {
    js = true;
    ++p;
  }
  char* end = nullptr;
  const long grade = std::strtol(p, &end, 10);
  if (end == p || *end != '\0' || grade < kLowestGrade + 1 || grade > kHighestGrade) return 0;
  const int g = static_cast<int>(grade);
  const int it = Tolerance(range, g);

  int es = 0, ei = 0;  // shaft terms; a hole's are ES and EI
  if (js) {
    // Symmetric: half the tolerance; an odd tolerance of grades 7 to 11 is
    // first rounded down to the even value below it.
    int half2 = it;
    if (g >= 7 && g <= 11 && it % 2 != 0) half2 = it - 1;
    // Kept in half micrometres: written with one more decimal when odd.
    CStringA h;
    if (half2 % 2 == 0)
      h = Micrometres(half2 / 2);
    else
      h.Format("+%d.%04d", half2 / 2000, (half2 % 2000) * 5);
    upper = h;
    lower = h;
    lower.SetAt(0, '-');
    return 1;
  }
  if (const int* top = Find(kShaftUpper, 5, letter)) {
    // d to h: the shaft's es; the hole's EI mirrors it.
    if (!hole) {
      es = top[range];
      ei = es - it;
    } else {
      ei = -top[range];
      es = ei + it;
    }
  } else if (const int* bottom = Find(kShaftLower, 4, letter)) {
    const int shaftEi = ShaftLower(bottom, letter, range, g);
    if (!hole) {
      ei = shaftEi;
      es = ei + it;
    } else {
      // K, M, N up to grade 8 and P up to grade 7: ES = -ei + delta, delta
      // the step to the grade below (none up to 3 mm). Above those grades
      // K and N have ES = 0, M and P ES = -ei.
      const bool withDelta = letter == 'p' ? g <= 7 : g <= 8;
      if (withDelta) {
        const int holeEi = letter == 'k' ? bottom[range] : shaftEi;
        const int delta = range == 0 ? 0 : it - Tolerance(range, g - 1);
        es = -holeEi + delta;
      } else {
        // (N up to 3 mm keeps ES = -ei at every grade.)
        const bool zero = letter == 'k' || (letter == 'n' && range > 0);
        es = zero ? 0 : -shaftEi;
      }
      ei = es - it;
    }
  } else {
    return 0;
  }
  upper = Micrometres(es);
  lower = Micrometres(ei);
  return 1;
}
