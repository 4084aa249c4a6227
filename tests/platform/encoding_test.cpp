#include <gtest/gtest.h>

#include "platform/encoding.h"

namespace kvu {
namespace {

// Letters of Windows-1250 get their capitals; what has none, or is no UTF-8, stays.
TEST(UpperCase, HungarianAndOtherCentralEuropeanLetters) {
    EXPECT_EQ(UpperCase("árvíztűrő tükörfúrógép"), "ÁRVÍZTŰRŐ TÜKÖRFÚRÓGÉP");
    EXPECT_EQ(UpperCase("šśťžźłąşľżăâîçćčďđęěĺňńřůţ"), "ŠŚŤŽŹŁĄŞĽŻĂÂÎÇĆČĎĐĘĚĹŇŃŘŮŢ");
    EXPECT_EQ(UpperCase("c:\\program files\\vmlx32.dll"), "C:\\PROGRAM FILES\\VMLX32.DLL");
    EXPECT_EQ(UpperCase("ß÷×0-9_ÁÉ"), "ß÷×0-9_ÁÉ");
    EXPECT_EQ(UpperCase(std::string("a\xFFz", 3)), std::string("A\xFFZ", 3));
    EXPECT_EQ(UpperCase(""), "");
}

TEST(UpperAnsiChar, EveryWindows1250SmallLetterHasItsCapital) {
    // Small letters of Windows-1250 and their capitals, byte for byte.
    const std::string small = "\x9A\x9C\x9D\x9E\x9F\xB3\xB9\xBA\xBE\xBF\xE1\xF5\xFB\xFE";
    const std::string capital = "\x8A\x8C\x8D\x8E\x8F\xA3\xA5\xAA\xBC\xAF\xC1\xD5\xDB\xDE";
    for (std::size_t i = 0; i < small.size(); ++i) {
        EXPECT_EQ(UpperAnsiChar(small[i]), capital[i]) << "byte " << i;
        EXPECT_EQ(UpperAnsiChar(capital[i]), capital[i]) << "byte " << i;
    }
    EXPECT_EQ(UpperAnsiChar('\xF7'), '\xF7');  // division sign
    EXPECT_EQ(UpperAnsiChar('\xDF'), '\xDF');  // sharp s
}

}  // namespace
}  // namespace kvu
