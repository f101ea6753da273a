// Tressil's expression evaluator: reads an arithmetic expression over one
// parameter and gives its value.
//
// The grammar (blanks are skipped anywhere):
//   expression := term { ('+' | '-') term }
//   term       := factor { ('*' | '/') factor }
//   factor     := ('-' | '+') factor | primary
//   primary    := number | "D[0]" | "d[0]" | function '(' expression ')'
//                 | '(' expression ')'
//   function   := sin cos tan asin acos atan sqrt   (any letter case)
// A number is digits with an optional fraction and exponent ("12", "0.5",
// ".5", "1e-3"). "D[0]" (or "d[0]") is the parameter. The trigonometric
// functions take their argument in degrees; asin, acos and atan give
// degrees. Failures come back as a status, never as a NaN or infinite value:
// a text that does not follow the grammar, a division by zero, an argument
// outside a function's domain (asin/acos beyond ±1, sqrt below 0) or a value
// that overflows (tan at 90°). Nesting deeper than 200 levels is a syntax
// error.
#pragma once

enum EvalStatus : int {
  kEvalOk = 0,
  kEvalSyntaxError = 1,
  kEvalDivideByZero = 2,
  kEvalDomainError = 3,
};

class CExpressionEvaluator {
 public:
  virtual ~CExpressionEvaluator() = default;
  // The value of `expression` with the parameter *param (0 when null) into
  // *out (left alone on failure). kEvalOk or the failure.
  virtual int Evaluate(const char* expression, double* out, const double* param) const;
};

// The process-wide evaluator.
const CExpressionEvaluator& GetExpressionEvaluator();
