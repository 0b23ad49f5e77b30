// The master file rewriter. The master is streamed once into a new file in
// its own folder; memory stays bounded by a line and the stream buffers,
// whatever the size of the master and its previews. When the master has an
// EPS binary header, only its PostScript section is read as lines: the
// previews before and after it are copied as they are, and the header is
// brought up to date when the section changes length.
#include "master/master_file_rewriter.h"

#include "master/backup_path.h"
#include "master/byte_sink.h"
#include "master/copy_bytes.h"
#include "master/dsc_syntax.h"
#include "master/line_copier.h"
#include "master/line_reader.h"
#include "master/plate_file_line.h"
#include "master/postscript_section.h"
#include "platform/ascii_case.h"
#include "platform/file_names.h"
#include "platform/file_stream.h"
#include "platform/files.h"
#include "platform/folder_listing.h"
#include "platform/interruption.h"
#include "platform/path_parts.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <optional>
#include <utility>

namespace platelier {

namespace {

bool endsWithLineEnd(const std::string& line) {
    return !line.empty() && isLineEnd(line.back());
}

// The rewrite of one master, from the opened input to the written output:
// a DCS 1.0 master's plate blocks, or, given its plates as read, the plate
// lines of a DCS 2.0 master.
class Rewrite {
  public:
    Rewrite(FileReader& input, ByteSink& output, const PlateNames& names,
            const std::vector<Plate>* plateFiles = nullptr)
        : input_(input), output_(output), names_(names), plateFiles_(plateFiles) {}

    RewriteResult run() {
        PostScriptSection section;
        const SectionError located = locatePostScriptSection(input_, section);
        const RewriteError error = located == SectionError::none ? copySections(section)
                                   : located == SectionError::cannotRead
                                       ? RewriteError::cannotReadMaster
                                       : RewriteError::damagedHeader;
        if (input_.failed()) {
            return {RewriteError::cannotReadMaster};
        }
        return {error, failedPlate_};
    }

  private:
    RewriteError copySections(const PostScriptSection& section) {
        if (!copyBytes(input_, output_, section.start)) {
            return writeOrReadError();
        }
        input_.limitReading(section.end - section.start);
        std::uint64_t written = 0;
        const RewriteError error =
            plateFiles_ ? rewritePlateFileLines(section, written) : rewriteLines(written);
        if (error != RewriteError::none) {
            return error;
        }
        input_.limitReading(section.fileLength - section.end);
        if (!copyBytes(input_, output_, section.fileLength - section.end)) {
            return writeOrReadError();
        }
        return section.header ? updateHeader(section, written) : RewriteError::none;
    }

    // Only a line that begins as the keyword does can start a plate block: the lines
    // before it are passed through as one block.
    RewriteError rewriteLines(std::uint64_t& written) {
        std::string line;
        for (;;) {
            if (!copyLinesUntilOneStartsWith(cyanPlateKeyword.front(), masterLineLength, input_,
                                             output_, written)) {
                return writeOrReadError();
            }
            if (readLine(line, masterLineLength, input_) == 0) {
                return RewriteError::none;
            }
            if (startsWithKeyword(line, cyanPlateKeyword)) {
                const RewriteError error = rewritePlateBlock(line, written);
                if (error != RewriteError::none) {
                    return error;
                }
            } else if (!emit(line, written)) {
                return writeOrReadError();
            }
        }
    }

    // `line` is the cyan plate line. Each of the four plate lines must have
    // its colon and end within one line read, and neither a second block nor
    // the title may stand inside the first: rebuilding the title line as a
    // plate line would change the master's title. Each rebuilt line must be
    // readable again as one line, so that the master is read back with the
    // names written into it.
    RewriteError rewritePlateBlock(std::string& line, std::uint64_t& written) {
        for (int channel = cyan; channel <= black; ++channel) {
            if (channel != cyan && readLine(line, masterLineLength, input_) == 0) {
                return input_.failed() ? RewriteError::cannotReadMaster
                                       : RewriteError::damagedPlateBlock;
            }
            const std::size_t colon = line.find(':');
            if (colon == std::string::npos || colon > line.find_first_of(commentTextEnds) ||
                (channel != cyan && (startsWithKeyword(line, cyanPlateKeyword) ||
                                     startsWithKeyword(line, titleKeyword))) ||
                !lineIsWhole(line)) {
                return RewriteError::damagedPlateBlock;
            }
            const std::string rebuilt =
                line.substr(0, colon + 1) + " " + names_[static_cast<std::size_t>(channel)];
            if (rebuilt.size() >= static_cast<std::size_t>(masterLineLength)) {
                failedPlate_ = static_cast<std::size_t>(channel);
                return RewriteError::nameTooLong;
            }
            if (!emit(rebuilt + "\r\n", written)) {
                return writeOrReadError();
            }
        }
        return RewriteError::none;
    }

    // Copies the section, each plate line whose file gets another name with
    // that name in place of the old one. The line must still be the one that
    // was read (the master's identity says so; a line that says otherwise, as
    // after a change that kept the file's size and time, is refused as
    // damaged rather than trusted).
    RewriteError rewritePlateFileLines(const PostScriptSection& section, std::uint64_t& written) {
        std::uint64_t at = section.start;
        for (std::size_t plate = 0; plate < plateFiles_->size(); ++plate) {
            const Plate& read = (*plateFiles_)[plate];
            if (names_[plate] == read.name) {
                continue;
            }
            if (!copyBytes(input_, output_, read.lineOffset - at)) {
                return writeOrReadError();
            }
            written += read.lineOffset - at;
            std::string line;
            at = read.lineOffset +
                 static_cast<std::uint64_t>(readLine(line, masterLineLength, input_));
            const RewriteError error = renamePlateFile(read, plate, line, written);
            if (error != RewriteError::none) {
                return error;
            }
        }
        if (!copyBytes(input_, output_, section.end - at)) {
            return writeOrReadError();
        }
        written += section.end - at;
        return RewriteError::none;
    }

    // `line` is the plate line of `read`, the plate in place `plate`.
    RewriteError renamePlateFile(const Plate& read, std::size_t plate, const std::string& line,
                                 std::uint64_t& written) {
        const std::optional<PlateFileLine> parsed =
            parsePlateFileLine(line.substr(0, line.find_first_of(lineEnds)));
        if (!parsed || parsed->where != PlateFileLine::file || parsed->name != read.name ||
            read.lineOffset + parsed->nameAt != read.nameOffset) {
            return input_.failed() ? RewriteError::cannotReadMaster
                                   : RewriteError::damagedPlateBlock;
        }
        failedPlate_ = plate;
        const std::optional<std::string> name = plateFileName(names_[plate], read.quoted);
        if (!name) {
            return RewriteError::nameNeedsParentheses;
        }
        const std::string rebuilt = line.substr(0, parsed->nameAt) + *name +
                                    line.substr(parsed->nameAt + parsed->nameLength);
        if (std::min(rebuilt.find_first_of(lineEnds), rebuilt.size()) >=
            static_cast<std::size_t>(masterLineLength)) {
            return RewriteError::nameTooLong;
        }
        return emit(rebuilt, written) ? RewriteError::none : writeOrReadError();
    }

    // A line read in full: it has its ending, or it is the last of the input.
    bool lineIsWhole(const std::string& line) {
        if (endsWithLineEnd(line)) {
            return true;
        }
        const int next = input_.getByte();
        input_.ungetByte(next);
        return next == FileReader::endOfFile;
    }

    bool emit(const std::string& bytes, std::uint64_t& written) {
        written += bytes.size();
        return output_.write(bytes);
    }

    RewriteError updateHeader(const PostScriptSection& section, std::uint64_t written) {
        const std::uint64_t oldLength = section.end - section.start;
        if (written == oldLength) {
            return RewriteError::none;
        }
        EpsBinaryHeader header = *section.header;
        const auto moved = [&](std::uint32_t offset) {
            return static_cast<std::uint64_t>(offset) - oldLength + written;
        };
        if (section.start + written > std::numeric_limits<std::uint32_t>::max() ||
            section.fileLength - oldLength + written > std::numeric_limits<std::uint32_t>::max()) {
            return RewriteError::damagedHeader;
        }
        header.postScriptLength = static_cast<std::uint32_t>(written);
        if (header.metafileLength != 0 && header.metafileOffset >= section.end) {
            header.metafileOffset = static_cast<std::uint32_t>(moved(header.metafileOffset));
        }
        if (header.tiffLength != 0 && header.tiffOffset >= section.end) {
            header.tiffOffset = static_cast<std::uint32_t>(moved(header.tiffOffset));
        }
        header.checksum = 0xFFFF;
        unsigned char bytes[EpsBinaryHeader::size];
        header.encode(bytes);
        return output_.seek(0) && output_.write(bytes, sizeof bytes)
                   ? RewriteError::none
                   : RewriteError::cannotWriteNewMaster;
    }

    RewriteError writeOrReadError() const {
        return input_.failed() ? RewriteError::cannotReadMaster
                               : RewriteError::cannotWriteNewMaster;
    }

    FileReader& input_;
    ByteSink& output_;
    const PlateNames& names_;
    const std::vector<Plate>* plateFiles_;
    std::size_t failedPlate_ = 0;
};

// Whether a name reads back from a plate line as it is written: the reader
// trims blanks at either end, and a control character could end the line.
RewriteError nameError(const std::string& name) {
    if (name.find_first_of(lineEnds) != std::string::npos) {
        return RewriteError::nameHasLineBreak;
    }
    const bool control = std::any_of(name.begin(), name.end(),
                                     [](char c) { return static_cast<unsigned char>(c) < 0x20; });
    const bool trimmed = !name.empty() && (name.front() == ' ' || name.back() == ' ');
    return control || trimmed ? RewriteError::nameNotReadBack : RewriteError::none;
}

// Refuses a master path whose backup would be the master itself.
RewriteResult checkMasterPath(const std::string& masterPath) {
    if (masterPath.empty()) {
        return {RewriteError::noMasterPath};
    }
    return {equalIgnoringAsciiCase(backupPath(masterPath), masterPath)
                ? RewriteError::backupIsMaster
                : RewriteError::none};
}

// Why `name` may not be written as the name of a plate's file: it would not
// read back, or the backup would replace the file it names.
RewriteError plateNameError(const std::string& masterPath, const std::string& name) {
    const RewriteError error = nameError(name);
    return error != RewriteError::none                                ? error
           : sameFileName(name, fileNamePart(backupPath(masterPath))) ? RewriteError::backupIsLinked
                                                                      : RewriteError::none;
}

// Refuses what can be refused of a DCS 1.0 rewrite without opening the
// master: the names, and a backup path that is the master itself, or a file
// the master links to.
RewriteResult checkNames(const std::string& masterPath, const PerChannel& names) {
    RewriteResult result = checkMasterPath(masterPath);
    for (std::size_t channel = 0; channel < names.size() && result.error == RewriteError::none;
         ++channel) {
        result = {plateNameError(masterPath, names[channel]), channel};
    }
    return result;
}

// Why plate `plate` of a DCS 2.0 master as it was read may not be given
// `name`. A plate that keeps its name keeps its line as it was written; only
// a file's name may change. The backup may replace no plate's file.
RewriteError plateFileError(const std::string& masterPath, const Plate& plate,
                            const std::string& name) {
    if (name != plate.name) {
        return plate.where == Plate::file ? plateNameError(masterPath, name)
                                          : RewriteError::plateNotInFile;
    }
    return sameFileName(name, fileNamePart(backupPath(masterPath))) ? RewriteError::backupIsLinked
                                                                    : RewriteError::none;
}

// The same for a DCS 2.0 master as it was read; a master that holds plates
// at offsets is refused any change, which could move them.
RewriteResult checkPlateNames(const std::string& masterPath, const MasterReading& read,
                              const PlateNames& names) {
    RewriteResult result = checkMasterPath(masterPath);
    for (std::size_t plate = 0; plate < read.plates.size() && result.error == RewriteError::none;
         ++plate) {
        result = {plateFileError(masterPath, read.plates[plate], names[plate]), plate};
    }
    const auto inside = [](const Plate& plate) { return plate.where == Plate::inMaster; };
    const bool changes =
        !std::equal(read.plates.begin(), read.plates.end(), names.begin(),
                    [](const Plate& plate, const std::string& name) { return name == plate.name; });
    if (result.error == RewriteError::none && changes &&
        std::any_of(read.plates.begin(), read.plates.end(), inside)) {
        result = {RewriteError::platesInsideMaster};
    }
    return result;
}

// Opens the master for its rewrite, locked against another, as the master
// that was read; or takes it as its reading left it open so
// (readMasterForRewrite), read again from its start.
RewriteResult openMaster(const std::string& masterPath, const FileIdentity* asRead,
                         FileReader* opened, FileReader& input) {
    if (opened && *opened) {
        input = std::move(*opened);
        input.seek(0);
    } else {
        input = FileReader::open(masterPath, ReadingFor::rewriting);
    }
    if (input.symbolicLink()) {
        return {RewriteError::masterIsLink};
    }
    if (!input) {
        return {input.inUse() ? RewriteError::masterInUse : RewriteError::cannotOpenMaster};
    }
    if (asRead && input.identity() != *asRead) {
        return {RewriteError::masterChanged};
    }
    return {input.readOnly() ? RewriteError::masterReadOnly : RewriteError::none};
}

// Runs the rewrite from the opened master into a sink.
using RunRewrite = std::function<RewriteResult(FileReader&, ByteSink&)>;

// Writes the new master into `output` from the opened master.
RewriteResult writeNewMaster(FileReader& input, FileWriter& output, const RunRewrite& run) {
    FileSink sink(output);
    const RewriteResult result = run(input, sink);
    if (!output.close() && result.error == RewriteError::none) {
        return {RewriteError::cannotWriteNewMaster};
    }
    return result;
}

} // namespace

// What a prepared rewrite holds until its commit: the master open and locked,
// and the new master's file, removed by an interruption.
struct PreparedRewrite::State {
    std::string masterPath;
    RewriteMode mode = RewriteMode::replace;
    FileReader input;
    std::optional<std::string> newPath;
    std::optional<TemporaryFileGuard> removedOnInterrupt;
    bool committed = false;

    ~State() {
        if (newPath && !committed) {
            removeFile(*newPath);
        }
    }
};

PreparedRewrite::PreparedRewrite(std::unique_ptr<State> state) : state_(std::move(state)) {}

PreparedRewrite::PreparedRewrite(PreparedRewrite&& other) noexcept
    : state_(std::move(other.state_)), result_(std::move(other.result_)) {}

PreparedRewrite::~PreparedRewrite() = default;

// The master is compared with the file it was when it was opened right
// before the new one takes its place (see replaceFileWithBackup): a program
// that wrote it meanwhile (one that knows nothing of the lock) keeps its
// change.
RewriteResult PreparedRewrite::commit() {
    if (result_.error != RewriteError::none) {
        return result_;
    }
    State& state = *state_;
    if (state.mode == RewriteMode::checkOnly) {
        return identityAt(state.masterPath) == std::make_optional(state.input.identity())
                   ? RewriteResult()
                   : RewriteResult(RewriteError::masterChanged);
    }
    switch (replaceFileWithBackup(state.masterPath, *state.newPath, backupPath(state.masterPath),
                                  state.input.identity())) {
    case Replacement::done:
        state.committed = true;
        return {};
    case Replacement::targetChanged:
        return {RewriteError::masterChanged};
    case Replacement::failed:
        break;
    }
    return {RewriteError::cannotReplaceMaster};
}

PreparedRewrite PreparedRewrite::prepare(const std::string& masterPath, RewriteMode mode,
                                         const FileIdentity* asRead, FileReader* opened,
                                         const RewriteResult& checked, const RunRewrite& run) {
    auto state = std::make_unique<State>();
    state->masterPath = masterPath;
    state->mode = mode;
    PreparedRewrite prepared(std::move(state));
    State& held = *prepared.state_;
    RewriteResult& result = prepared.result_;
    result = checked;
    if (result.error == RewriteError::none) {
        result = openMaster(masterPath, asRead, opened, held.input);
    }
    if (result.error != RewriteError::none) {
        return prepared;
    }
    if (mode == RewriteMode::checkOnly) {
        DiscardingSink nowhere;
        result = run(held.input, nowhere);
        return prepared;
    }
    FileWriter output = FileWriter::create(folderPart(masterPath), held.input.ownership());
    if (!output) {
        result = {RewriteError::cannotWriteNewMaster};
        return prepared;
    }
    held.newPath = output.path();
    held.removedOnInterrupt.emplace(*held.newPath);
    result = writeNewMaster(held.input, output, run);
    return prepared;
}

PreparedRewrite prepareRewrite(const std::string& masterPath, const PerChannel& names,
                               RewriteMode mode, const FileIdentity* asRead, FileReader* opened) {
    const PlateNames plates(names.begin(), names.end());
    return PreparedRewrite::prepare(
        masterPath, mode, asRead, opened, checkNames(masterPath, names),
        [&](FileReader& input, ByteSink& output) { return Rewrite(input, output, plates).run(); });
}

PreparedRewrite prepareRewrite(const std::string& masterPath, const MasterReading& asRead,
                               const PlateNames& names, RewriteMode mode, FileReader* opened) {
    if (asRead.format == MasterFormat::dcs1) {
        PerChannel channels = asRead.channelNames();
        std::copy_n(names.begin(), std::min(names.size(), channels.size()), channels.begin());
        return prepareRewrite(masterPath, channels, mode, &asRead.identity, opened);
    }
    PlateNames all = names;
    for (std::size_t plate = all.size(); plate < asRead.plates.size(); ++plate) {
        all.push_back(asRead.plates[plate].name);
    }
    const auto coloured = [&](RewriteResult result) {
        if (result.error != RewriteError::none && result.plate < asRead.plates.size()) {
            result.colour = asRead.plates[result.plate].colour;
        }
        return result;
    };
    return PreparedRewrite::prepare(masterPath, mode, &asRead.identity, opened,
                                    coloured(checkPlateNames(masterPath, asRead, all)),
                                    [&](FileReader& input, ByteSink& output) {
                                        return coloured(
                                            Rewrite(input, output, all, &asRead.plates).run());
                                    });
}

RewriteResult rewriteMasterFile(const std::string& masterPath, const PerChannel& names,
                                RewriteMode mode, const FileIdentity* asRead) {
    PreparedRewrite prepared = prepareRewrite(masterPath, names, mode, asRead);
    const UninterruptedStep step;
    return prepared.commit();
}

} // namespace platelier
