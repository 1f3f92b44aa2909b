#include "AdvPanel/markup/html_pictures.h"

#include "AdvPanel/markup/html_markup.h"

namespace advpanel {

TPictureContainer::TPictureContainer(tk::TComponent* owner) : tk::TComponent(owner) {}
TPictureContainer::~TPictureContainer() = default;

void TPictureContainer::Add(const std::string& name, tk::TPicture picture) {
    auto stored = std::make_unique<tk::TPicture>(std::move(picture));
    for (Item& item : items_) {
        if (UpperCase(item.Name) == UpperCase(name)) {
            item.Picture = std::move(stored);
            return;
        }
    }
    items_.push_back({name, std::move(stored)});
}

const tk::TPicture* TPictureContainer::Find(std::string_view name) const {
    std::string wanted = UpperCase(name);
    for (const Item& item : items_)
        if (UpperCase(item.Name) == wanted) return item.Picture.get();
    return nullptr;
}

namespace {
int loadsTried = 0;
} // namespace

THTMLPictureCache::THTMLPictureCache() = default;
THTMLPictureCache::~THTMLPictureCache() = default;

const tk::TPicture* THTMLPictureCache::Get(const std::string& source) {
    auto found = pictures_.find(source);
    if (found != pictures_.end()) return found->second.get();
    PictureSource kind = ClassifyPictureSource(source);
    if (kind.SourceKind == PictureSource::Kind::Resource || kind.SourceKind == PictureSource::Kind::File)
        ++loadsTried;
    auto picture = std::make_unique<tk::TPicture>();
    bool loaded = false;
    if (kind.SourceKind == PictureSource::Kind::Resource)
        loaded = picture->LoadFromResource(GetModuleHandleA(nullptr), kind.Name);
    else if (kind.SourceKind == PictureSource::Kind::File)
        loaded = picture->LoadFromFile(kind.Name);
    if (!loaded) picture.reset();
    return pictures_.emplace(source, std::move(picture)).first->second.get();
}

int THTMLPictureCache::LoadsTried() {
    return loadsTried;
}

} // namespace advpanel
