#include "forms/DelphiColor.h"

#include <array>

namespace kvt {
namespace {

struct NamedColor {
    const char* name;
    quint32 value;
};

// Plain colours and system colours (index = system colour number) as the form editor names them.
constexpr std::array kNamedColors{
    NamedColor{"clBlack", 0x000000},       NamedColor{"clMaroon", 0x000080},
    NamedColor{"clGreen", 0x008000},       NamedColor{"clOlive", 0x008080},
    NamedColor{"clNavy", 0x800000},        NamedColor{"clPurple", 0x800080},
    NamedColor{"clTeal", 0x808000},        NamedColor{"clGray", 0x808080},
    NamedColor{"clSilver", 0xC0C0C0},      NamedColor{"clRed", 0x0000FF},
    NamedColor{"clLime", 0x00FF00},        NamedColor{"clYellow", 0x00FFFF},
    NamedColor{"clBlue", 0xFF0000},        NamedColor{"clFuchsia", 0xFF00FF},
    NamedColor{"clAqua", 0xFFFF00},        NamedColor{"clWhite", 0xFFFFFF},
    NamedColor{"clMoneyGreen", 0xC0DCC0},  NamedColor{"clSkyBlue", 0xF0CAA6},
    NamedColor{"clCream", 0xF0FBFF},       NamedColor{"clMedGray", 0xA4A0A0},
    NamedColor{"clNone", kColorNone},      NamedColor{"clDefault", kColorDefault},
    NamedColor{"clScrollBar", kSystemColorFlag | 0},
    NamedColor{"clBackground", kSystemColorFlag | 1},
    NamedColor{"clActiveCaption", kSystemColorFlag | 2},
    NamedColor{"clInactiveCaption", kSystemColorFlag | 3},
    NamedColor{"clMenu", kSystemColorFlag | 4},
    NamedColor{"clWindow", kSystemColorFlag | 5},
    NamedColor{"clWindowFrame", kSystemColorFlag | 6},
    NamedColor{"clMenuText", kSystemColorFlag | 7},
    NamedColor{"clWindowText", kSystemColorFlag | 8},
    NamedColor{"clCaptionText", kSystemColorFlag | 9},
    NamedColor{"clActiveBorder", kSystemColorFlag | 10},
    NamedColor{"clInactiveBorder", kSystemColorFlag | 11},
    NamedColor{"clAppWorkSpace", kSystemColorFlag | 12},
    NamedColor{"clHighlight", kSystemColorFlag | 13},
    NamedColor{"clHighlightText", kSystemColorFlag | 14},
    NamedColor{"clBtnFace", kSystemColorFlag | 15},
    NamedColor{"clBtnShadow", kSystemColorFlag | 16},
    NamedColor{"clGrayText", kSystemColorFlag | 17},
    NamedColor{"clBtnText", kSystemColorFlag | 18},
    NamedColor{"clInactiveCaptionText", kSystemColorFlag | 19},
    NamedColor{"clBtnHighlight", kSystemColorFlag | 20},
    NamedColor{"cl3DDkShadow", kSystemColorFlag | 21},
    NamedColor{"cl3DLight", kSystemColorFlag | 22},
    NamedColor{"clInfoText", kSystemColorFlag | 23},
    NamedColor{"clInfoBk", kSystemColorFlag | 24},
    NamedColor{"clHotLight", kSystemColorFlag | 26},
    NamedColor{"clGradientActiveCaption", kSystemColorFlag | 27},
    NamedColor{"clGradientInactiveCaption", kSystemColorFlag | 28},
    NamedColor{"clMenuHighlight", kSystemColorFlag | 29},
    NamedColor{"clMenuBar", kSystemColorFlag | 30},
};

bool equalIgnoringCase(QByteArrayView a, const char* b)
{
    return a.compare(QByteArrayView(b), Qt::CaseInsensitive) == 0;
}

} // namespace

std::optional<quint32> ColorFromIdent(QByteArrayView ident)
{
    for (const auto& named : kNamedColors) {
        if (equalIgnoringCase(ident, named.name))
            return named.value;
    }
    return std::nullopt;
}

QByteArray IdentFromColor(quint32 color)
{
    for (const auto& named : kNamedColors) {
        if (named.value == color)
            return QByteArray(named.name);
    }
    return {};
}

} // namespace kvt
