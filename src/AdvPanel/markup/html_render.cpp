// The mini-markup renderer on a GDI canvas: the layout engine over a GDI surface.
#include "AdvPanel/markup/html_render.h"

#include "AdvPanel/markup/html_gdi_surface.h"
#include "AdvPanel/markup/html_layout.h"
#include "AdvPanel/markup/html_pictures.h"
#include "toolkit/graphics/image_list.h"
#include "toolkit/base/scope_exit.h"

namespace advpanel {

bool RenderHtmlText(tk::TCanvas& canvas, const HtmlRenderParams& params, HtmlRenderResult& result) {
    HtmlPictureSources sources;
    sources.Images = dynamic_cast<const tk::TImageList*>(params.Images);
    sources.Container = dynamic_cast<const TPictureContainer*>(params.PictureContainer);
    sources.Cache = params.PictureCache;
    sources.Print = params.Print;

    // The brush colour is what blinking text takes while the blink phase is off; it is kept
    // aside for the call, and the device context's modes come back as they were.
    const tk::TColor brush = canvas.BrushColor;
    canvas.BrushColor = tk::clNone;
    tk::ScopeExit restoreBrush([&canvas, brush] { canvas.BrushColor = brush; });
    tk::SavedDCState saved(canvas.Handle());
    SetBkMode(canvas.Handle(), TRANSPARENT);
    GdiHtmlSurface surface(canvas, sources);
    return LayoutHtml(surface, surface.BaseFont(), brush, params, result);
}

} // namespace advpanel
