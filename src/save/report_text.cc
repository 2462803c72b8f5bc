#include "save/report_text.h"

namespace bondscope {

void append_left(std::string& line, std::string_view text, std::size_t width) {
  line += text;
  if (text.size() < width) line.append(width - text.size(), ' ');
}

void append_right(std::string& line, std::int64_t value, std::size_t width) {
  // Digits from the right into a scratch buffer; the magnitude is taken as
  // unsigned so the most negative value needs no special case.
  char digits[24];
  std::size_t n = 0;
  std::uint64_t magnitude = value < 0 ? 0 - static_cast<std::uint64_t>(value)
                                      : static_cast<std::uint64_t>(value);
  do {
    digits[sizeof digits - 1 - n++] = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) digits[sizeof digits - 1 - n++] = '-';
  if (n < width) line.append(width - n, ' ');
  line.append(digits + sizeof digits - n, n);
}

}  // namespace bondscope
