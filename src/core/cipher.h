#pragma once

#include <QString>

namespace core {

// The text of a stored enciphered string: each pair of hex digits is one GBK byte XORed with
// the key byte at its position (the key repeats every 8 bytes); an unpaired last digit is
// ignored. Raises an error for a pair that is no hex number.
QString DecipherText(const QString& hex);

} // namespace core
