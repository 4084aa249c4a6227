#include "core/installed_products.h"

#include <gtest/gtest.h>

#include "core/settings.h"
#include "platform/encoding.h"
#include "tests/support/temp_dir.h"

namespace kvu {

void PrintTo(const InstalledProduct& p, std::ostream* out) {
    *out << p.number << "=" << p.name;
}

namespace {

using Products = std::vector<InstalledProduct>;

TEST(InstalledProducts, TheSectionInFileOrder) {
    struct Case {
        const char* name;
        std::string ini;
        Products expected;
    };
    const std::vector<Case> cases = {
        {"no file", "", {}},
        {"no section", "[0_PARAM]\r\nAPP_PATH=C:\\\r\n", {}},
        {"empty section", "[PRODUCTS]\r\n\r\n[0_PARAM]\r\n", {}},
        {"file order",
         "[products]\r\n12=Bér\r\n3=Pénzügy\r\n-7=Régi\r\n",
         {{12, "Bér"}, {3, "Pénzügy"}, {-7, "Régi"}}},
        {"not numbers left out",
         "[PRODUCTS]\r\nx=1\r\n1.5=y\r\n+4=z\r\n 5 = Öt \r\n99999999999=big\r\n;6=c\r\n",
         {{5, "Öt"}}},
        {"a number's second key left out",
         "[PRODUCTS]\r\n2=first\r\n02=second\r\n2=third\r\n",
         {{2, "first"}}},
        {"empty name", "[PRODUCTS]\r\n8=\r\n", {{8, ""}}},
        {"only the first section of the name",
         "[PRODUCTS]\r\n1=a\r\n[PRODUCTS]\r\n2=b\r\n",
         {{1, "a"}}},
    };
    for (const Case& c : cases) {
        test::TempDir app;
        if (!c.ini.empty())
            test::WriteBytes(IniFilePath(app.str()), Utf8ToAnsi(c.ini));
        EXPECT_EQ(ReadInstalledProducts(app.str()), c.expected) << c.name;
    }
}

}  // namespace
}  // namespace kvu
