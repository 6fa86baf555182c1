#pragma once

class QXmlStreamAttributes;

/// What ReadIntAttribute found under a name.
enum class eAttributeRead
{
    Absent,    ///< The element has no such attribute.
    Malformed, ///< The attribute's text is no decimal integer.
    Read,      ///< The attribute held a decimal integer.
};

/// Reads the named attribute as a decimal integer: an optional sign, blanks around it allowed, leading
/// zeros meaning nothing ("012" is 12). Empty text, "0x10", "1.5" and numbers beyond int are malformed.
/// value is set only when the result is Read; otherwise it keeps what it held.
eAttributeRead ReadIntAttribute(const QXmlStreamAttributes& attributes, const char* name, int& value);

/// The named attribute as a decimal integer (see ReadIntAttribute): absent when the element lacks it,
/// 0 when its text is malformed.
int IntAttribute(const QXmlStreamAttributes& attributes, const char* name, int absent);

/// How far a whole number of a game file reaches either side of 0, be it a position, size, offset,
/// colour, time or count: every shipped value lies far within, and the sum or the product of any
/// two such numbers stays an int.
constexpr int kMaxFileInt = 32767;

/// The named attribute as IntAttribute reads it, brought into low to high before any arithmetic
/// meets it: a number outside is reported with an "ERROR:" line and the nearer end is used.
int IntAttributeClamped(const QXmlStreamAttributes& attributes, const char* name, int absent, int low = -kMaxFileInt,
                        int high = kMaxFileInt);

/// The named attribute as a decimal integer from low to high, for the sizes and counts that the game
/// allocates, loops over or multiplies by: fallback when the element lacks it; a malformed text or a
/// number outside the range is refused with an "ERROR:" line and gives fallback too.
int IntAttributeWithin(const QXmlStreamAttributes& attributes, const char* name, int fallback, int low, int high);

/// The named attribute as an integer flag, anything but 0 being true: absent when the element lacks it,
/// false when its text is malformed.
bool FlagAttribute(const QXmlStreamAttributes& attributes, const char* name, bool absent);

/// The named attribute as a decimal number in the C locale ("1.5", "-2", "3e2"): 0 when the element
/// lacks it or its text is no number. "inf", "nan" and numbers beyond float ("4e45") are refused with
/// an "ERROR:" line and give 0 too: one such value poisons every sum it enters, and the physics
/// aborts on it.
float FloatAttribute(const QXmlStreamAttributes& attributes, const char* name);

/// The named attribute as a decimal number from low to high (see FloatAttribute), for body sizes and
/// materials: fallback when the element lacks it; a text that is no finite number, or a number outside
/// the range, is refused with an "ERROR:" line and gives fallback too.
float FloatAttributeWithin(const QXmlStreamAttributes& attributes, const char* name, float fallback, float low,
                           float high);
