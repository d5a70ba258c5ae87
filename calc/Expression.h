// Evaluation of an arithmetic text pasted from the clipboard: numbers, + - * /
// with the usual precedence, unary minus and parentheses. A pasted column of
// numbers (one per line) is added up. Numbers are read with the process-wide
// decimal separator (BaseLib/Locale.h), which the caller sets first; every
// other character that is not part of the expression (thousands separators,
// spaces, letters, units) is skipped. Pure code: the calculator and the
// converter both use it.
#pragma once

// Stores the value and returns true, or returns false (value untouched) when
// the text is longer than 1000 characters, holds nothing to compute, has
// unbalanced parentheses, an operator without operands, a number of 199 or
// more characters, or a result that is not finite (division by zero).
bool EvaluateExpression(const wchar_t *text, double *value);
