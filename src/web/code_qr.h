// A QR code of a short text (the pages' address), as its grid of modules,
// drawn as SVG for the poster and as a picture by the window.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavo::web {

struct CodeQr {
    int cote = 0;             // modules on a side, without the quiet zone
    std::vector<bool> noirs;  // cote × cote, row after row

    bool noir(int x, int y) const {
        return noirs[static_cast<std::size_t>(y) * static_cast<std::size_t>(cote) +
                     static_cast<std::size_t>(x)];
    }
};

// The blank border a reader needs around the code, in modules.
inline constexpr int MARGE_QR = 4;

// The code of `texte` (8-bit mode, medium correction), or nothing when the
// text is too long to code.
std::optional<CodeQr> coder_qr(const std::string& texte);

// The code as an SVG image scaled to its box, its quiet zone included.
std::string svg_qr(const CodeQr& code);

}  // namespace tavo::web
