#include "InkRecognizer.h"
#include "CharacterModel.h"

#include <memory>

namespace ink {
namespace {

// The folder of the module (the DLL or program) this code is linked into,
// with a trailing backslash; empty when it cannot be found.
std::wstring ModuleFolder() {
    HMODULE module = nullptr;
    if (!GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                            reinterpret_cast<LPCWSTR>(&ModuleFolder), &module))
        return std::wstring();
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD n = GetModuleFileNameW(module, &path[0], DWORD(path.size()));
        if (n == 0)
            return std::wstring();
        if (n < path.size()) {
            path.resize(n);
            break;
        }
        if (path.size() >= 32768)
            return std::wstring();
        path.resize(path.size() * 2);
    }
    const size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

std::unique_ptr<CharacterModel> ReadLatinModel() {
    auto model = std::make_unique<CharacterModel>();
    const std::wstring folder = ModuleFolder();
    if (!folder.empty())
        model->Load(folder + L"ink-latin.model");
    return model;
}

// Read on first use, once, whichever thread gets there first.
const CharacterModel &LatinModel() {
    static const std::unique_ptr<CharacterModel> model = ReadLatinModel();
    return *model;
}

} // namespace

std::wstring RecognizeLine(const std::vector<Stroke> &strokes) {
    if (strokes.empty())
        return std::wstring();
    return RecognizeLineWith(LatinModel(), strokes);
}

} // namespace ink
