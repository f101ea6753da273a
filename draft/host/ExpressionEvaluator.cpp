#include "draft/host/ExpressionEvaluator.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string_view>

namespace {

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr int kMaxDepth = 200;
// How far beyond ±1 (asin, acos) or below 0 (sqrt) rounding may bring an
// argument that is taken as on the bound.
constexpr double kBoundSlack = 1e-12;

class Parser {
 public:
  Parser(const char* text, double param) : p_(text), param_(param) {}

  int Run(double& value) {
    value = Expression();
    Skip();
    if (status_ == kEvalOk && *p_ != '\0') status_ = kEvalSyntaxError;
    if (status_ == kEvalOk && !std::isfinite(value)) status_ = kEvalDomainError;
    return status_;
  }

 private:
  void Skip() {
    while (*p_ == ' ' || *p_ == '\t') ++p_;
  }
  bool Take(char c) {
    Skip();
    if (*p_ != c) return false;
    ++p_;
    return true;
  }
  double Fail(int status) {
    if (status_ == kEvalOk) status_ = status;
    return 0.0;
  }
  double Check(double v) { return std::isfinite(v) ? v : Fail(kEvalDomainError); }

  double Expression() {
    if (++depth_ > kMaxDepth) return Fail(kEvalSyntaxError);
    double v = Term();
    while (status_ == kEvalOk) {
      if (Take('+'))
        v = Check(v + Term());
      else if (Take('-'))
        v = Check(v - Term());
      else
        break;
    }
    --depth_;
    return v;
  }

  double Term() {
    double v = Factor();
    while (status_ == kEvalOk) {
      if (Take('*')) {
        v = Check(v * Factor());
      } else if (Take('/')) {
        const double d = Factor();
        if (status_ != kEvalOk) break;
        if (d == 0.0) return Fail(kEvalDivideByZero);
        v = Check(v / d);
      } else {
        break;
      }
    }
    return v;
  }

  double Factor() {
    if (++depth_ > kMaxDepth) return Fail(kEvalSyntaxError);
    double v;
    if (Take('-'))
      v = -Factor();
    else if (Take('+'))
      v = Factor();
    else
      v = Primary();
    --depth_;
    return v;
  }

  double Primary() {
    if (status_ != kEvalOk) return 0.0;
    Skip();
    if (Take('(')) {
      const double v = Expression();
      if (!Take(')')) return Fail(kEvalSyntaxError);
      return v;
    }
    if (std::isdigit(static_cast<unsigned char>(*p_)) || *p_ == '.') return Number();
    if ((*p_ == 'D' || *p_ == 'd') && std::strncmp(p_ + 1, "[0]", 3) == 0) {
      p_ += 4;
      return param_;
    }
    if (std::isalpha(static_cast<unsigned char>(*p_))) return Function();
    return Fail(kEvalSyntaxError);
  }

  double Number() {
    const char* start = p_;
    while (std::isdigit(static_cast<unsigned char>(*p_))) ++p_;
    if (*p_ == '.') ++p_;
    while (std::isdigit(static_cast<unsigned char>(*p_))) ++p_;
    if (p_ == start + 1 && *start == '.') return Fail(kEvalSyntaxError);
    if (*p_ == 'e' || *p_ == 'E') {
      const char* mark = p_ + 1;
      if (*mark == '+' || *mark == '-') ++mark;
      if (std::isdigit(static_cast<unsigned char>(*mark))) {
        p_ = mark;
        while (std::isdigit(static_cast<unsigned char>(*p_))) ++p_;
      }
    }
    char buffer[64];
    const size_t n = static_cast<size_t>(p_ - start);
    if (n >= sizeof buffer) return Fail(kEvalSyntaxError);
    std::memcpy(buffer, start, n);
    buffer[n] = '\0';
    return Check(std::strtod(buffer, nullptr));
  }

  double Function() {
    char name[8] = {};
    size_t n = 0;
    while (std::isalpha(static_cast<unsigned char>(*p_))) {
      if (n + 1 >= sizeof name) return Fail(kEvalSyntaxError);
      name[n++] = static_cast<char>(std::tolower(static_cast<unsigned char>(*p_)));
      ++p_;
    }
    if (!Take('(')) return Fail(kEvalSyntaxError);
    const double a = Expression();
    if (!Take(')')) return Fail(kEvalSyntaxError);
    if (status_ != kEvalOk) return 0.0;
    const std::string_view f(name, n);
    if (f == "sin") return std::sin(a * kRadiansPerDegree);
    if (f == "cos") return std::cos(a * kRadiansPerDegree);
    if (f == "tan") {
      // An odd multiple of 90 degrees has no tangent.
      const double r = std::fmod(std::fabs(a), 180.0);
      if (std::fabs(r - 90.0) < 1e-9) return Fail(kEvalDomainError);
      return Check(std::tan(a * kRadiansPerDegree));
    }
    if (f == "atan") return std::atan(a) * kDegreesPerRadian;
    if (f == "asin" || f == "acos") {
      if (std::fabs(a) > 1.0 + kBoundSlack) return Fail(kEvalDomainError);
      const double c = a > 1.0 ? 1.0 : a < -1.0 ? -1.0 : a;
      return (f == "asin" ? std::asin(c) : std::acos(c)) * kDegreesPerRadian;
    }
    if (f == "sqrt") {
      if (a < -kBoundSlack) return Fail(kEvalDomainError);
      return std::sqrt(a < 0.0 ? 0.0 : a);
    }
    return Fail(kEvalSyntaxError);
  }

  const char* p_;
  double param_;
  int status_ = kEvalOk;
  int depth_ = 0;
};

}  // namespace

int CExpressionEvaluator::Evaluate(const char* expression, double* out, const double* param) const {
  if (!expression || !out) return kEvalSyntaxError;
  double value = 0.0;
  Parser parser(expression, param ? *param : 0.0);
  const int status = parser.Run(value);
  if (status == kEvalOk) *out = value;
  return status;
}

const CExpressionEvaluator& GetExpressionEvaluator() {
  static const CExpressionEvaluator evaluator;
  return evaluator;
}
