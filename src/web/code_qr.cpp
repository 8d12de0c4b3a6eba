#include "web/code_qr.h"

#include <qrencode.h>

#include <memory>

namespace tavo::web {

std::optional<CodeQr> coder_qr(const std::string& texte) {
    const std::unique_ptr<QRcode, decltype(&QRcode_free)> qr(
        QRcode_encodeString8bit(texte.c_str(), 0, QR_ECLEVEL_M), &QRcode_free);
    if (!qr) return std::nullopt;
    CodeQr code;
    code.cote = qr->width;
    code.noirs.resize(static_cast<std::size_t>(qr->width) * static_cast<std::size_t>(qr->width));
    // The lowest bit of each byte says whether the module is dark.
    for (std::size_t i = 0; i < code.noirs.size(); ++i) code.noirs[i] = (qr->data[i] & 1) != 0;
    return code;
}

std::string svg_qr(const CodeQr& code) {
    const int total = code.cote + 2 * MARGE_QR;
    const std::string t = std::to_string(total);
    std::string svg = "<svg xmlns=\"http://www.w3.org/2000/svg\" viewBox=\"0 0 " + t + " " + t +
                      "\" shape-rendering=\"crispEdges\" role=\"img\" aria-label=\"code QR\">"
                      "<rect width=\"" +
                      t + "\" height=\"" + t + "\" fill=\"#fff\"/><path fill=\"#000\" d=\"";
    for (int y = 0; y < code.cote; ++y)
        for (int x = 0; x < code.cote; ++x)
            if (code.noir(x, y))
                svg += "M" + std::to_string(x + MARGE_QR) + " " + std::to_string(y + MARGE_QR) +
                       "h1v1h-1z";
    return svg + "\"/></svg>";
}

}  // namespace tavo::web
