#pragma once
// The browser's copies of the picture archives. A browser downloads the data
// before the first frame, so the pictures with words leave the English
// archives for an archive of their own, lang/en.asdb, fetched only by a page
// that plays in English, as each other language's page fetches its own. The
// English archives keep a blank picture of the same size in each one's
// place, so their tables, and the game's indexes into them, stay the same.
// The copies are written beside the desktop's files with WebSuffix.
#include <string>
#include <utility>
#include <vector>

// words: the English archive (without ".asdb") and name of each picture with
// words. Writes dataDir/lang/en.asdb.web with those pictures as they are in
// dataDir's archives (keyed as a language's are), and dataDir/ARCHIVE.asdb.web
// for each archive that holds one. False when an archive cannot be read or a
// file written.
bool WriteWebPictures(const std::string& dataDir, const std::vector<std::pair<std::string, std::string>>& words);
