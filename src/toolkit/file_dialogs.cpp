#include "file_dialogs.h"

#include "component_reader.h"

namespace tk {

bool TOpenDialog::ReadProperty(std::string_view name, const LayoutValue& value,
                               LayoutReader& reader) {
    if (name == "Title") {
        Title = reader.String(value);
    } else if (name == "Filter") {
        Filter = reader.String(value);
    } else if (name == "FilterIndex") {
        FilterIndex = reader.Int(value);
    } else if (name == "DefaultExt") {
        DefaultExt = reader.String(value);
    } else if (name == "FileName") {
        FileName = reader.String(value);
    } else if (name == "InitialDir") {
        InitialDir = reader.String(value);
    } else if (name == "Ctl3D") {
        Ctl3D = reader.Bool(value);
    } else if (name == "Options") {
        Options = reader.Set<TOpenOptions>(
            value, {{"ofReadOnly", ofReadOnly},           {"ofOverwritePrompt", ofOverwritePrompt},
                    {"ofHideReadOnly", ofHideReadOnly},   {"ofNoChangeDir", ofNoChangeDir},
                    {"ofShowHelp", ofShowHelp},           {"ofNoValidate", ofNoValidate},
                    {"ofAllowMultiSelect", ofAllowMultiSelect},
                    {"ofExtensionDifferent", ofExtensionDifferent},
                    {"ofPathMustExist", ofPathMustExist}, {"ofFileMustExist", ofFileMustExist},
                    {"ofCreatePrompt", ofCreatePrompt},   {"ofShareAware", ofShareAware},
                    {"ofNoReadOnlyReturn", ofNoReadOnlyReturn},
                    {"ofNoTestFileCreate", ofNoTestFileCreate},
                    {"ofEnableSizing", ofEnableSizing}});
    } else {
        return TComponent::ReadProperty(name, value, reader);
    }
    return true;
}

} // namespace tk
