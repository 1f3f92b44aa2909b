#include "note_place.h"

#include <algorithm>
#include <charconv>
#include <vector>

namespace recovery {
namespace {

constexpr std::string_view kFirstLine = "Pinlet note place 1";

void Put(std::string& out, std::string_view key, std::string_view value) {
    out.append(key).append("=").append(value).append("\r\n");
}

void PutRect(std::string& out, std::string_view key, const Rect& r) {
    Put(out, key,
        std::to_string(r.Left) + "," + std::to_string(r.Top) + "," + std::to_string(r.Right) +
            "," + std::to_string(r.Bottom));
}

bool ParseInt(std::string_view text, int& value) {
    const char* end = text.data() + text.size();
    auto [at, error] = std::from_chars(text.data(), end, value);
    return error == std::errc() && at == end;
}

bool ParseRect(std::string_view text, Rect& rect) {
    int* fields[] = {&rect.Left, &rect.Top, &rect.Right, &rect.Bottom};
    for (int i = 0; i < 4; ++i) {
        const size_t comma = i < 3 ? text.find(',') : text.size();
        if (comma == std::string_view::npos || !ParseInt(text.substr(0, comma), *fields[i]))
            return false;
        text.remove_prefix(std::min(text.size(), comma + 1));
    }
    return rect.Right > rect.Left && rect.Bottom > rect.Top;
}

} // namespace

std::string EncodeNotePlace(const NotePlace& place) {
    std::string out(kFirstLine);
    out += "\r\n";
    Put(out, "file", place.FileName);
    PutRect(out, "window", place.Window);
    PutRect(out, "monitor", place.Monitor);
    Put(out, "dpi", std::to_string(place.Dpi));
    Put(out, "pinned", place.Pinned ? "1" : "0");
    Put(out, "zoom", std::to_string(place.Zoom));
    return out;
}

std::optional<NotePlace> DecodeNotePlace(std::string_view text) {
    NotePlace place;
    bool first = true, window = false, monitor = false;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (first) {
            if (line != kFirstLine) return std::nullopt;
            first = false;
            continue;
        }
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) continue;
        const std::string_view key = line.substr(0, equals), value = line.substr(equals + 1);
        bool ok = true;
        if (key == "file")
            place.FileName = value;
        else if (key == "window")
            ok = window = ParseRect(value, place.Window);
        else if (key == "monitor")
            ok = monitor = ParseRect(value, place.Monitor);
        else if (key == "dpi")
            ok = ParseInt(value, place.Dpi) && place.Dpi >= 48 && place.Dpi <= 960;
        else if (key == "pinned")
            place.Pinned = value == "1";
        else if (key == "zoom")
            ok = ParseInt(value, place.Zoom) && place.Zoom >= 10 && place.Zoom <= 500;
        if (!ok) return std::nullopt;
    }
    if (first || !window || !monitor) return std::nullopt;
    return place;
}

Rect PlaceOnDesktop(const NotePlace& place, bool monitorIsSame, const Rect& workArea, int dpi) {
    Rect r = place.Window;
    if (monitorIsSame && dpi == place.Dpi) return r; // where the user left it
    const auto scale = [&](int v) { return static_cast<int>((static_cast<long long>(v) * dpi + place.Dpi / 2) / place.Dpi); };
    int width = std::min(scale(r.Width()), workArea.Width());
    int height = std::min(scale(r.Height()), workArea.Height());
    // Its offset on its old monitor, kept on the new one as far as the work area allows.
    int left = workArea.Left + scale(r.Left - place.Monitor.Left);
    int top = workArea.Top + scale(r.Top - place.Monitor.Top);
    left = std::clamp(left, workArea.Left, workArea.Right - width);
    top = std::clamp(top, workArea.Top, workArea.Bottom - height);
    return {left, top, left + width, top + height};
}

} // namespace recovery
