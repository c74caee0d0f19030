#include "tests/support/DictFiles.h"

#include "engine/FileFormat.h"
#include "engine/KovrObj.h"
#include "tests/support/TestFolders.h"
#include "text/CodePage1251.h"

#include <fstream>
#include <utility>

namespace morva::test {

std::filesystem::path WriteBytes(const std::string& name, const std::vector<std::uint8_t>& bytes)
{
    auto path = FreshFolder("dict-" + name) / "Morva.uzd";
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return path;
}

std::filesystem::path WriteImage(const std::string& name, std::vector<std::uint8_t> image, bool seal)
{
    if (seal)
        SealImage(image);
    Scramble(image);
    return WriteBytes(name, image);
}

std::string Dict(std::u16string_view text)
{
    return WideToDictText(text);
}

SenseRecord Sense(std::string english, std::string uzbek, std::string russian, std::string transcription)
{
    return {std::move(english), std::move(transcription), {}, std::move(uzbek), std::move(russian)};
}

TDictWriter SmallDictionary()
{
    TDictWriter writer;
    const auto book = Sense("book", "kitob", "kniga");
    const auto apple = Sense("apple", "olma", "yabloko");
    writer.AddWordEntry(English, "book", {book}, {});
    writer.AddWordEntry(English, "apple", {apple}, {});
    writer.AddWordEntry(Uzbek, "kitob", {book}, {});
    writer.AddWordEntry(Uzbek, "olma", {apple}, {});
    writer.AddWordEntry(Russian, "kniga", {book}, {});
    return writer;
}

std::filesystem::path WriteHeadwords(const std::filesystem::path& folder, const std::vector<std::string>& english,
                                     const std::vector<std::string>& uzbek, const std::vector<std::string>& russian)
{
    TDictWriter writer;
    for (const auto& [language, words] : {std::pair{English, &english}, {Uzbek, &uzbek}, {Russian, &russian}})
        for (const auto& word : *words)
            writer.AddWordEntry(language, word, {}, {});
    const auto file = folder / DataFileName;
    writer.WriteFile(file);
    return file;
}

} // namespace morva::test
