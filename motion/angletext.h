#pragma once
// Joint angles as the user reads and types them: the program stores tenths of
// a degree (frame table, files, packets) and shows degrees with one decimal
// and the degree sign ("9.0°"). Typing "9", "9.0" or "9.0°" means 9.0°, that
// is 90 tenths.

#include <QString>

namespace angletext {

// The degree sign that ends a shown angle.
QString degreeSign();

// "9.0°" for 90, "-0.5°" for -5, "0.0°" for 0.
QString format(int tenths);
// The number alone, without the sign: "9.0" for 90.
QString number(int tenths);

// How far a typed text is from an angle: not one at all, on its way (empty,
// "-", "9."), or a whole angle. At most one decimal is taken; a trailing
// degree sign and blanks around are allowed.
enum class Input { Invalid, Intermediate, Acceptable };
Input check(const QString &text);

// The tenths a typed text means ("9" and "9.0" give 90, "-12.5" gives -125).
// ok is false (and 0 returned) when the text is not an acceptable angle.
int parse(const QString &text, bool *ok = nullptr);

} // namespace angletext
