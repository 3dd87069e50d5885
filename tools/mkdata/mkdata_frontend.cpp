// The front end's part of the game folder: the message files of the four
// languages and the menu graphics (mkdata_frontend_gfx.cpp,
// mkdata_frontend_fonts.cpp).

#include <cstdio>
#include <filesystem>
#include <map>
#include <string>

#include "mkdata.h"
#include "mkdata_frontend.h"

enum { MESSAGE_LINES = 2100 };

// Slot n is line n, so a text may not be empty (an empty line joins the
// next slot) nor hold a CR; a LF inside a text breaks the drawn line, and
// 11 and 27 are markup.  Slots without a text hold "-".
std::string MkMessageFile(const std::map<int, std::string>& texts, int lines) {
    std::string file;
    for (int slot = 0; slot < lines; slot++) {
        auto it = texts.find(slot);
        const std::string text = it != texts.end() ? it->second : std::string("-");
        if (text.empty() || text.front() == '\n' || text.back() == '\n')
            return std::string();
        for (unsigned char c : text) {
            if (c < 32 && c != '\n' && c != 11 && c != 27)
                return std::string();
        }
        file += text;
        file += "\r\n";
    }
    return file;
}

bool MakeFrontendData(const MkOptions& options) {
    // Everything of the menus lives under MENUS; a folder of the same name in
    // other letters, left by an older generator, would hide it.
    std::error_code error;
    std::filesystem::remove_all(std::filesystem::path(options.outDir) / "menus", error);
    for (int language = 0; language < 4; language++) {
        const std::map<int, std::string> texts = MkLanguageTexts(language);
        const std::string file = texts.empty() ? std::string() : MkMessageFile(texts, MESSAGE_LINES);
        if (file.empty()) {
            fprintf(stderr, "mkdata: a text of message file %d breaks the file rules, or its buttons have no "
                            "hot keys of their own\n", language);
            return false;
        }
        if (!MkWriteText("MENUS\\mensaje" + std::to_string(language) + ".txt", file))
            return false;
    }
    return MkWriteSettingsFiles() && MkWriteMenuGraphics() && MkWriteDemoReplays() && MkWriteTrackPreviews(options);
}
