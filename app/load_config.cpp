// The image's load configuration. Kestrum asks for uiAccess and starts at every user's log-on,
// and Qelt.dll is linked at start-up: where the maker's library is missing, the loader would go
// on to the current folder and every PATH folder, a user's own among them, and load whatever
// Qelt.dll it finds there. The dependent-load flags keep the search of the program's start-up
// imports to its own folder and the system folder.
//
// The GNU linker ignores this record; tools/fill_load_config_directory.py points the image's
// load configuration entry at it after the link.
#include <windows.h>

namespace {
constexpr IMAGE_LOAD_CONFIG_DIRECTORY SearchOnlyProgramAndSystemFolders() {
    IMAGE_LOAD_CONFIG_DIRECTORY record{};
    record.Size = sizeof(record);
    // mingw-w64's headers still name DependentLoadFlags by its former name.
    record.Reserved1 = LOAD_LIBRARY_SEARCH_APPLICATION_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32;
    // SEHandlerTable and SEHandlerCount stay zero: the image has no safe-handler table, and
    // Windows treats its handlers as it did before the image had this record.
    return record;
}
}  // namespace

// Named as the platform's linkers look for it; constant-initialized, so it is image data.
extern "C" constinit const IMAGE_LOAD_CONFIG_DIRECTORY _load_config_used =
    SearchOnlyProgramAndSystemFolders();
