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

TEST_F(OpenAirportTest, WhileStartingUpTheEmptyDocumentIsAcceptedWithoutAsking) {
    CountingDialog dialog(OpenAirportChoice{"TST", false});
    EXPECT_TRUE(OnNewDocument(doc, dialog, true));
    EXPECT_EQ(dialog.shown, 0);
    EXPECT_TRUE(doc.m_pRunways.empty());
}

TEST_F(OpenAirportTest, LowerCaseCodeIsStoredAndLookedUpInUpperCase) {
    ASSERT_TRUE(New(OpenAirportChoice{"tSt", false}));
    EXPECT_EQ(dialogShown, 1);
    EXPECT_EQ(doc.m_szCode, "TST");
    EXPECT_EQ(doc.m_szTxdName, "TST.txd");
    EXPECT_EQ(doc.m_szTxpName, "TST.txp");
    EXPECT_EQ(doc.m_szBgrName, "TST.bgr");
    EXPECT_EQ(doc.m_szTmsName, "TST.tms");
    EXPECT_EQ(doc.m_bAirportLoaded, 1);
    EXPECT_EQ(doc.m_pSegments.size(), 2u);
    EXPECT_FALSE(doc.IsModified());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OpenAirportTest, CancelLeavesThePreviousDocumentUntouched) {
    OpenTestField();
    EXPECT_FALSE(New(std::nullopt));
    EXPECT_EQ(doc.m_szCode, "TST");
    EXPECT_EQ(doc.m_pRunways.size(), 2u);
    EXPECT_EQ(doc.m_pSegments.size(), 2u);
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(messages.shown.empty());
}

TEST_F(OpenAirportTest, CodeLongerThanFiveCharactersIsRefusedAndTheDocumentKept) {
    OpenTestField();
    EXPECT_FALSE(New(OpenAirportChoice{"KTSTXX", false}));
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Airport codes have at most 5 characters"});
    EXPECT_EQ(doc.m_szCode, "TST");
    EXPECT_EQ(doc.m_pSegments.size(), 2u);
}

TEST_F(OpenAirportTest, FiveCharactersAreAccepted) {
    EXPECT_FALSE(New(OpenAirportChoice{"ABCDE", false}));  // not in the database
    EXPECT_EQ(doc.m_szCode, "ABCDE");
    EXPECT_TRUE(messages.Saw("Cannot find ABCDE"));
}

TEST_F(OpenAirportTest, EmptyCodeClearsTheDocumentQuietly) {
    OpenTestField();
    EXPECT_FALSE(New(OpenAirportChoice{"", false}));
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(doc.m_szCode, "");
    EXPECT_TRUE(doc.m_pRunways.empty());
    EXPECT_TRUE(doc.m_pSegments.empty());
    EXPECT_EQ(doc.m_bAirportLoaded, 0);
}

TEST_F(OpenAirportTest, UnknownCodeLeavesAClearedDocument) {
    OpenTestField();
    EXPECT_FALSE(New(OpenAirportChoice{"zzz", false}));
    EXPECT_EQ(messages.shown.back(), "Cannot find ZZZ");
    EXPECT_TRUE(doc.m_pRunways.empty());
    EXPECT_TRUE(doc.m_pSegments.empty());
}

TEST_F(OpenAirportTest, PavementFileBoxIsKeptAndTheDocumentCannotBecomeModified) {
    ASSERT_TRUE(New(OpenAirportChoice{"TST", true}));
    EXPECT_EQ(doc.m_bLoadedFromTms, 1);
    EXPECT_TRUE(doc.m_pSegments.empty());
    doc.SetModifiedFlag(true);
    EXPECT_FALSE(doc.IsModified());
}

}  // namespace
}  // namespace rollpath
