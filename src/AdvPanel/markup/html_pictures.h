#pragma once
// The pictures that mini-markup images name: a container of named pictures, and the cache of
// pictures loaded from "RES://" and "FILE://" sources.
#include "toolkit/graphics/pictures.h"

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace advpanel {

class TPictureContainer : public tk::TComponent {
public:
    explicit TPictureContainer(tk::TComponent* owner);
    ~TPictureContainer() override;
    const char* ClassName() const override { return "TPictureContainer"; }

    // Adds or replaces the picture of that name.
    void Add(const std::string& name, tk::TPicture picture);
    // The picture of that name (letter case does not matter), or null.
    const tk::TPicture* Find(std::string_view name) const;
    int Count() const { return static_cast<int>(items_.size()); }

private:
    struct Item {
        std::string Name;
        std::unique_ptr<tk::TPicture> Picture;
    };
    std::vector<Item> items_;
};

class THTMLPictureCache {
public:
    THTMLPictureCache();
    ~THTMLPictureCache();
    THTMLPictureCache(const THTMLPictureCache&) = delete;
    THTMLPictureCache& operator=(const THTMLPictureCache&) = delete;

    // The picture of a "RES://name" or "FILE://path" source, loaded on first use and kept under
    // the whole source text; null for other sources and for pictures that cannot be loaded (a
    // failed load is remembered too, so a missing file is not looked for on every paint).
    const tk::TPicture* Get(const std::string& source);
    int Count() const { return static_cast<int>(pictures_.size()); }
    void Clear() { pictures_.clear(); }
    // How many loads every cache of the program has tried so far: each is a read from disk or
    // from the resources.
    static int LoadsTried();

private:
    std::map<std::string, std::unique_ptr<tk::TPicture>> pictures_;
};

} // namespace advpanel
