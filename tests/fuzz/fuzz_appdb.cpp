// Reads arbitrary bytes as an application's DRBv1 text into the model, as
// the installer does with the "app" sections it compares, then names every
// pin, follows every pin's path from the top, reads a DISPLAYMENU element
// when there is one and compares the model with itself.
#include "app/GDB.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    CGDB model;
    model.SetFlags(CGXml::kNoIncludeExpansion); // never reads local files
    char error[1024] = "";
    if (model.ParseText("app", text.c_str(), error, sizeof error, "DRBv1") != 0)
        return 0;
    if (!model.Parse()) {
        if (!model.GetPinTable().empty() || *model.GetError() == '\0')
            abort(); // a failed parse leaves nothing behind and says why
        return 0;
    }
    std::map<int64_t, double> values;
    for (const auto& entry : model.GetPinTable()) {
        if (entry.first == kNoPinId) {
            if (entry.second->m_hasId)
                abort(); // only pins without ID are kept apart
            continue;    // no data-set value names them
        }
        CString name;
        if (!model.GetPinName(name, (int32_t)entry.first))
            abort(); // every pin of the table lies in the tree
        std::string path = static_cast<LPCSTR>(name);
        model.GetTop().FindPinByPath(path.c_str() + 5); // without "Main."
        if (entry.second->m_dimension > 0)
            values[(int64_t)(uint32_t)entry.first] = 1.0;
    }
    std::vector<CGDBPin*> pins;
    model.GetTop().CollectNvPins(pins);
    model.GetTop().CheckNames(model.FindPath("CONTAINER"));
    if (const CGXmlNode* menu = model.FindPath("DISPLAYMENU"))
        model.m_displayMenu.Parse(menu, model);
    std::vector<CString> removed, added;
    CompareDataSetPins(&model, values, &model, values, removed, added);
    if (!removed.empty() || !added.empty())
        abort(); // a model holds all of its own values
    return 0;
}
