// The front end's part of the game folder: the message files.

#include <map>
#include <string>

#include "mkdata.h"

// Texts of the slots the game reads so far; every other line holds a
// placeholder, since a message file has no empty lines.
static const std::map<int, std::string>& EnglishTexts() {
    static const std::map<int, std::string> texts = {
        {17, "Quorvix needs the graphics support of DirectX 7 or newer."},
        {18, "There is not enough free disk space to run Quorvix."},
        {19, "Free space:"},
        {20, "Please free at least 25 MB and start the game again."},
        {21, "The display configuration could not be read. Run the video set-up program again."},
        {26, "Loading..."},
        {27, "Waiting for the other players..."},
        {595, "Waiting for a player..."},
    };
    return texts;
}

static std::string MessageFile(const std::map<int, std::string>& texts, int lines) {
    std::string file;
    for (int slot = 0; slot < lines; slot++) {
        auto it = texts.find(slot);
        file += it != texts.end() ? it->second : std::string("-");
        file += "\r\n";
    }
    return file;
}

bool MakeFrontendData(const MkOptions&) {
    const std::string english = MessageFile(EnglishTexts(), 2100);
    for (int language = 0; language < 4; language++) {
        const std::string path = "menus\\mensaje" + std::to_string(language) + ".txt";
        if (!MkWriteText(path, english))
            return false;
    }
    return true;
}
