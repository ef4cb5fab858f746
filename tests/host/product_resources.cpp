#include <cstdlib>
#include <iostream>

#include "tests/host/fakes.h"

const ResFile& ProductResources() {
    static const std::vector<std::byte> bytes = ReadFileBytes(KESTRUM_RES_PATH);
    static const std::optional<ResFile> file = ResFile::Parse(bytes);
    if (!file) {
        std::cerr << "cannot read the compiled resources " << KESTRUM_RES_PATH << "\n";
        std::abort();
    }
    return *file;
}

const StringTable& EnglishStrings() {
    static const ResStringBlocks blocks(ProductResources(), 0x0409);
    static const BlockStringTable table(blocks);
    return table;
}
