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
    if (!choice || choice->code.empty()) {
        return false;
    }
    if (!IsAirportCode(choice->code)) {
        doc.Messages().Show(kBadCodeMessage);
        return false;
    }
    // The airport is loaded beside the open one, which stays until the new
    // one has opened.
    const std::unique_ptr<CRollpathDoc> loaded = doc.MakeScratch();
    loaded->m_szCode = choice->code;
    loaded->m_bLoadedFromTms = choice->loadTms ? 1 : 0;
    for (char& c : loaded->m_szCode) {
        c = UpperAscii(c);
    }
    loaded->m_szTxdName = loaded->m_szCode + ".txd";
    loaded->m_szTxpName = loaded->m_szCode + ".txp";
    loaded->m_szBgrName = loaded->m_szCode + ".bgr";
    loaded->m_szTmsName = loaded->m_szCode + ".tms";
    if (LoadAirport(*loaded, loaded->m_szCode, loaded->m_szTxdName, loaded->m_szTxpName, loaded->m_szBgrName,
                    loaded->m_szTmsName, readBack) != 1) {
        return false;
    }
    doc.TakeModelFrom(*loaded);
    return true;
}

}  // namespace rollpath
