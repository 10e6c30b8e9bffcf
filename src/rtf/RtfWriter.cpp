#include "rtf/RtfWriter.h"

#include "platform/Cp1251.h"

#include <QColor>
#include <QFont>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextFragment>

#include <cmath>
#include <cstdio>
#include <vector>

namespace rtf {
namespace {

struct TRunFormat {
    int Font = 0;
    int HalfPoints = 24;
    bool Bold = false;
    bool Italic = false;
    bool Underline = false;
    int Color = 0; // 0: the viewer's default colour
};

class TWriter {
public:
    explicit TWriter(const QTextDocument& document) : document_(document) {}

    std::string Write() {
        std::string body;
        for (QTextBlock block = document_.begin(); block.isValid(); block = block.next()) {
            WriteParagraphFormat(body, block.blockFormat());
            for (auto it = block.begin(); !it.atEnd(); ++it) {
                const QTextFragment fragment = it.fragment();
                if (fragment.isValid()) {
                    WriteRun(body, fragment.text(), Run(fragment.charFormat()));
                }
            }
            // The paragraph mark carries the block's own format: it sets the
            // height of an empty line.
            body += "{";
            WriteRunFormat(body, Run(block.charFormat()));
            body += "\\par}\n";
        }
        std::string out = "{\\rtf1\\ansi\\ansicpg1251\\deff0\\uc1{\\fonttbl";
        for (std::size_t i = 0; i < fonts_.size(); ++i) {
            out += "{\\f" + std::to_string(i) + "\\fnil\\fcharset204 ";
            WriteText(out, fonts_[i]);
            out += ";}";
        }
        out += "}";
        if (!colors_.empty()) {
            out += "{\\colortbl ;";
            for (const QColor& color : colors_) {
                out += "\\red" + std::to_string(color.red()) + "\\green" +
                       std::to_string(color.green()) + "\\blue" + std::to_string(color.blue()) +
                       ";";
            }
            out += "}";
        }
        out += "\n";
        out += body;
        out += "}";
        return out;
    }

private:
    static int Twips(qreal pixels) { return static_cast<int>(std::lround(pixels * 15.0)); }

    static void WriteParagraphFormat(std::string& out, const QTextBlockFormat& format) {
        out += "\\pard";
        const Qt::Alignment alignment = format.alignment() & Qt::AlignHorizontal_Mask;
        if (alignment & Qt::AlignHCenter) {
            out += "\\qc";
        } else if (alignment & Qt::AlignRight) {
            out += "\\qr";
        } else if (alignment & Qt::AlignJustify) {
            out += "\\qj";
        } else {
            out += "\\ql";
        }
        if (const int left = Twips(format.leftMargin()); left != 0) {
            out += "\\li" + std::to_string(left);
        }
        if (const int right = Twips(format.rightMargin()); right != 0) {
            out += "\\ri" + std::to_string(right);
        }
        if (const int first = Twips(format.textIndent()); first != 0) {
            out += "\\fi" + std::to_string(first);
        }
        out += "\n";
    }

    TRunFormat Run(const QTextCharFormat& format) {
        const QFont font = format.font().resolve(document_.defaultFont());
        TRunFormat run;
        run.Font = FontIndex(font.families().isEmpty() ? font.family() : font.families().front());
        qreal points = font.pointSizeF();
        if (points <= 0 && font.pixelSize() > 0) {
            points = font.pixelSize() * 0.75; // 96 pixels to the inch
        }
        if (points > 0) {
            run.HalfPoints = static_cast<int>(std::lround(points * 2));
        }
        run.Bold = font.weight() >= QFont::DemiBold;
        run.Italic = font.italic();
        run.Underline = font.underline();
        if (format.hasProperty(QTextFormat::ForegroundBrush) &&
            format.foreground().style() != Qt::NoBrush) {
            run.Color = ColorIndex(format.foreground().color());
        }
        return run;
    }

    int FontIndex(const QString& family) {
        for (std::size_t i = 0; i < fonts_.size(); ++i) {
            if (fonts_[i] == family) {
                return static_cast<int>(i);
            }
        }
        fonts_.push_back(family);
        return static_cast<int>(fonts_.size() - 1);
    }

    int ColorIndex(const QColor& color) {
        const QColor opaque = color.toRgb();
        for (std::size_t i = 0; i < colors_.size(); ++i) {
            if (colors_[i].rgb() == opaque.rgb()) {
                return static_cast<int>(i + 1);
            }
        }
        colors_.push_back(opaque);
        return static_cast<int>(colors_.size());
    }

    static void WriteRunFormat(std::string& out, const TRunFormat& run) {
        out += "\\f" + std::to_string(run.Font) + "\\fs" + std::to_string(run.HalfPoints);
        if (run.Bold) {
            out += "\\b";
        }
        if (run.Italic) {
            out += "\\i";
        }
        if (run.Underline) {
            out += "\\ul";
        }
        if (run.Color != 0) {
            out += "\\cf" + std::to_string(run.Color);
        }
    }

    static void WriteRun(std::string& out, const QString& text, const TRunFormat& run) {
        out += "{";
        WriteRunFormat(out, run);
        out += " ";
        WriteText(out, text);
        out += "}";
    }

    // Text as code page 1251: ASCII as itself (RTF's own characters escaped),
    // other bytes as \'hh, characters the code page lacks as \uN?.
    static void WriteText(std::string& out, const QString& text) {
        for (const QChar ch : text) {
            const char16_t c = ch.unicode();
            if (c == '\\' || c == '{' || c == '}') {
                out += '\\';
                out += static_cast<char>(c);
            } else if (c == '\t') {
                out += "\\tab ";
            } else if (c == QChar::LineSeparator) {
                out += "\\line ";
            } else if (c == QChar::ObjectReplacementCharacter || c < 0x20) {
                continue;
            } else if (c < 0x80) {
                out += static_cast<char>(c);
            } else if (const auto byte = platform::UnicodeToCp1251(c); byte) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\'%02x", *byte);
                out += hex;
            } else {
                // \u takes a signed 16-bit value; surrogate halves go one by one.
                out += "\\u" + std::to_string(static_cast<std::int16_t>(c)) + "?";
            }
        }
    }

    const QTextDocument& document_;
    std::vector<QString> fonts_;
    std::vector<QColor> colors_;
};

} // namespace

std::string WriteRtf(const QTextDocument& document) {
    return TWriter(document).Write();
}

} // namespace rtf
