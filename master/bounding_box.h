// A page's bounding box as a "%%BoundingBox:" comment states it, and where a
// PostScript section states it: in the first such line of its header
// comments, or, when that line says "(atend)", in the last one of its
// trailer. A master and each of its separation files are one page, so they
// state the same box; the master reader and the check of a separation file
// find it by the same rules.
#pragma once

#include "master/dsc_syntax.h"
#include "master/postscript_section.h"
#include "platform/file_stream.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace platelier {

// Lower left and upper right corners, in points.
struct BoundingBox {
    double lowerLeftX = 0;
    double lowerLeftY = 0;
    double upperRightX = 0;
    double upperRightY = 0;
};

// The boxes the header comments of a page state, each where one does: its
// "%%BoundingBox:" (integers by the DSC rules, reals by some writers) and
// its "%%HiResBoundingBox:".
struct PageBoxes {
    std::optional<BoundingBox> box;
    std::optional<BoundingBox> hiRes;
};

// Two numbers of two boxes are one when they differ by no more than this:
// writers round a real box to a few digits, and never by a hundredth of a
// point.
constexpr double boxTolerance = 0.01;

// Whether two pages' boxes say they are one page: their high-resolution
// boxes when both state one, else their boxes when both state one, compared
// as numbers; unknown when they have no kind of box in common.
enum class SamePage { yes, no, unknown };
SamePage samePage(const PageBoxes& a, const PageBoxes& b);

// The box a comment value states: four numbers, integers or reals (with an
// optional sign, digits, and a fraction after a point), separated by blanks
// or tabs. Anything else (fewer or more numbers, an exponent, "(atend)")
// states no box.
std::optional<BoundingBox> parseBoundingBox(std::string_view value);

// The four numbers as a comment value writes them, with as few digits as
// they need: "0 0 612 792", "0 0 595.2756 841.8898".
std::string boundingBoxText(const BoundingBox& box);

// How far the header comments are read for the box line: past a master's
// plate block, or from the start of a separation file.
constexpr std::uint64_t headerCommentsReach = 4 * 1024;

// How much of the end of a PostScript section is read for the box an
// "(atend)" value defers to the trailer.
constexpr std::uint64_t trailerReach = 8 * 1024;

// Follows the lines of a PostScript section from its start to the end of its
// header comments ("%%EndComments", or the first line that does not begin
// with '%') and keeps the value of the first "%%BoundingBox:" and
// "%%HiResBoundingBox:" lines among them.
// Every line counts, a master's plate lines too, so that a master read as a
// separation file gives the same box.
class HeaderComments {
  public:
    // Takes the next line of the section, as readLine gives it with
    // masterLineLength: the pieces after the first of a longer line are not
    // lines of their own. The reader shows it every line before the plate
    // block, however far down that lies, so most lines are passed over here.
    void follow(const std::string& line) {
        if (ended_) {
            return;
        }
        const bool piece = inLongerLine_;
        inLongerLine_ = !line.empty() && !isLineEnd(line.back());
        if (!piece && mayMatter(line)) {
            look(line);
        }
    }

    // True once a line ended the header comments.
    bool ended() const { return ended_; }

    // Reads the next lines from `file` until the header comments end, both
    // box lines are found, or `reach` bytes have been read (the line that
    // passes them is read whole).
    void readOn(FileReader& file, std::uint64_t reach);

    // The boxes the header comments state, "(atend)" resolved from the
    // trailer of `section`, which is read from `file`.
    PageBoxes boxes(FileReader& file, const PostScriptSection& section) const;

  private:
    // Whether `line` may end the header comments or state a box: a line
    // beginning with '%' can hold one of the keywords only with its third
    // byte.
    static bool mayMatter(const std::string& line) {
        return line.size() < 3 || line[0] != '%' || line[2] == endCommentsKeyword[2] ||
               line[2] == boundingBoxKeyword[2] || line[2] == hiResBoundingBoxKeyword[2];
    }
    void look(const std::string& line);

    std::optional<std::string> boxValue_;
    std::optional<std::string> hiResValue_;
    bool ended_ = false;
    bool inLongerLine_ = false; // the last line taken was a piece without its end
};

} // namespace platelier
