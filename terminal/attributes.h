// The attribute byte of a screen cell, shared by the rows and the screen that
// keeps the current modes for new characters.
#pragma once

namespace attribute {

constexpr unsigned char reverse = 0x01;
constexpr unsigned char bold = 0x02;
constexpr unsigned char italic = 0x04;
constexpr unsigned char blink = 0x08;

}
