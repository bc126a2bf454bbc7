#pragma once

#include <QString>

#include <functional>

class QFont;

namespace Velmora {

// Long titles in the bar's context menus (window titles, mostly) are broken
// into lines no wider than maximumLineWidth, so a menu never grows across the
// screen.
class ContextMenuText
{
public:
    static constexpr qreal maximumLineWidth = 360;

    // The width of a run of text, in points.
    using Measure = std::function<qreal(const QString &text)>;

    // `title` with line feeds inserted where it must wrap, measured in `font`
    // (the menu font). A title that fits comes back unchanged, except that
    // every line break (CR LF, CR, LF, and the other Unicode line and
    // paragraph separators) becomes a single line feed.
    static QString wrapped(const QString &title, const QFont &font);
    // The same with any measure; tests use one of fixed width.
    //
    // Lines are filled character by character (user-perceived characters: an
    // emoji or an accented letter is never split). When the next one would
    // make the line too wide, the line breaks at its last blank, which is
    // dropped; a line with no blank after its first word is cut before the
    // character that overflows. Blanks that only lead a line are no place to
    // break, so wrapping never makes a line that is empty or blank, and what
    // is carried to the next line is measured again before anything is added.
    // Empty lines the title holds itself are kept.
    static QString wrapped(const QString &title, const Measure &measure);

    ContextMenuText() = delete;
};

} // namespace Velmora
