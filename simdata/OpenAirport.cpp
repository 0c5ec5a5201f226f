#include "simdata/OpenAirport.h"

#include "simdata/AirportLoader.h"

namespace rollpath {

namespace {

char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

}  // namespace

bool OnNewDocument(CRollpathDoc& doc, OpenAirportDialog& dialog, bool startingUp,
                   const SceneryReadBack& readBack) {
    if (startingUp) {
        return true;
    }
    const std::optional<OpenAirportChoice> choice = dialog.Run();
    if (!choice) {
        return false;
    }
    // Refused before the clean-up, so that the open airport is kept.
    if (choice->code.size() > static_cast<std::size_t>(kMaxCodeLength)) {
        doc.Messages().Show(kCodeTooLongMessage);
        return false;
    }

    doc.CleanUp();
    doc.SetModifiedFlag(false);
    doc.m_szCode = choice->code;
    doc.m_bLoadedFromTms = choice->loadTms ? 1 : 0;
    if (doc.m_szCode.empty()) {
        return false;
    }
    for (char& c : doc.m_szCode) {
        c = UpperAscii(c);
    }
    doc.m_szTxdName = doc.m_szCode + ".txd";
    doc.m_szTxpName = doc.m_szCode + ".txp";
    doc.m_szBgrName = doc.m_szCode + ".bgr";
    doc.m_szTmsName = doc.m_szCode + ".tms";
    return LoadAirport(doc, doc.m_szCode, doc.m_szTxdName, doc.m_szTxpName, doc.m_szBgrName, doc.m_szTmsName,
                       readBack) == 1;
}

}  // namespace rollpath
