#include <gtest/gtest.h>

#include <string>

#include "SimdataTestSupport.h"
#include "simdata/OpenAirport.h"

namespace rollpath {
namespace {

using testing::InstallTest;
using testing::TestField;

// Counts how often it is shown.
class CountingDialog : public OpenAirportDialog {
public:
    explicit CountingDialog(std::optional<OpenAirportChoice> choice) : m_Choice(std::move(choice)) {}
    std::optional<OpenAirportChoice> Run() override {
        ++shown;
        return m_Choice;
    }
    int shown = 0;

private:
    std::optional<OpenAirportChoice> m_Choice;
};

class OpenAirportTest : public InstallTest {
protected:
    OpenAirportTest() { Install({TestField()}, SampleLayout::Pod); }

    bool New(std::optional<OpenAirportChoice> choice) {
        CountingDialog dialog(std::move(choice));
        const bool result = OnNewDocument(doc, dialog, false);
        dialogShown = dialog.shown;
        return result;
    }
    // A document with the test airport open and marked modified.
    void OpenTestField() {
        ASSERT_TRUE(New(OpenAirportChoice{"TST", false}));
        doc.SetModifiedFlag(true);
        messages.Clear();
    }

    int dialogShown = 0;
};

// Whatever does not open an airport leaves the open one as it was, modified
// flag and all: a cancel, an empty code, a code that is none (refused before
// anything is read) and a code the database does not hold.
TEST_F(OpenAirportTest, AnythingButAnOpenedAirportLeavesTheOpenOneAsItWas) {
    const struct {
        std::optional<OpenAirportChoice> choice;
        std::string message;  // the last one shown
    } rows[] = {
        {std::nullopt, ""},
        {OpenAirportChoice{"", false}, ""},
        {OpenAirportChoice{"KTSTXX", false}, kBadCodeMessage},
        {OpenAirportChoice{"../x", false}, kBadCodeMessage},
        {OpenAirportChoice{"K-1", false}, kBadCodeMessage},
        {OpenAirportChoice{"TS", false}, kBadCodeMessage},
        {OpenAirportChoice{"zzz", false}, "Cannot find ZZZ"},
        {OpenAirportChoice{"ABCDE", true}, "Cannot find ABCDE"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.choice ? row.choice->code : "cancel");
        OpenTestField();
        EXPECT_FALSE(New(row.choice));
        EXPECT_EQ(messages.shown.empty() ? "" : messages.shown.back(), row.message);
        EXPECT_EQ(doc.m_szCode, "TST");
        EXPECT_EQ(doc.m_bLoadedFromTms, 0);
        EXPECT_EQ(doc.m_pRunways.size(), 2u);
        EXPECT_EQ(doc.m_pSegments.size(), 2u);
        EXPECT_TRUE(doc.IsModified());
    }
}

}  // namespace
}  // namespace rollpath
