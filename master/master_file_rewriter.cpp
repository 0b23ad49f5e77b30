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
#include "master/postscript_section.h"
#include "platform/ascii_case.h"
#include "platform/file_names.h"
#include "platform/file_stream.h"
#include "platform/files.h"
#include "platform/folder_listing.h"
#include "platform/interruption.h"
#include "platform/path_parts.h"

#include <algorithm>
#include <limits>
#include <optional>
#include <utility>

namespace platelier {

namespace {

bool endsWithLineEnd(const std::string& line) {
    return !line.empty() && isLineEnd(line.back());
}

// The rewrite of one master, from the opened input to the written output.
class Rewrite {
  public:
    Rewrite(FileReader& input, ByteSink& output, const PerChannel& names)
        : input_(input), output_(output), names_(names) {}

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
        return {error, failedChannel_};
    }

  private:
    RewriteError copySections(const PostScriptSection& section) {
        if (!copyBytes(input_, output_, section.start)) {
            return writeOrReadError();
        }
        input_.limitReading(section.end - section.start);
        std::uint64_t written = 0;
        const RewriteError error = rewriteLines(written);
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
                failedChannel_ = static_cast<ChannelIndex>(channel);
                return RewriteError::nameTooLong;
            }
            if (!emit(rebuilt + "\r\n", written)) {
                return writeOrReadError();
            }
        }
        return RewriteError::none;
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
    const PerChannel& names_;
    ChannelIndex failedChannel_ = cyan;
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

// Refuses what can be refused without opening the master: the names, and a
// backup path that is the master itself, or a file the master links to.
RewriteResult checkNames(const std::string& masterPath, const PerChannel& names) {
    if (masterPath.empty()) {
        return {RewriteError::noMasterPath};
    }
    if (equalIgnoringAsciiCase(backupPath(masterPath), masterPath)) {
        return {RewriteError::backupIsMaster};
    }
    const std::string backupName = fileNamePart(backupPath(masterPath));
    for (int channel = cyan; channel <= black; ++channel) {
        const std::string& name = names[static_cast<std::size_t>(channel)];
        const RewriteError error = nameError(name) != RewriteError::none ? nameError(name)
                                   : sameFileName(name, backupName) ? RewriteError::backupIsLinked
                                                                    : RewriteError::none;
        if (error != RewriteError::none) {
            return {error, static_cast<ChannelIndex>(channel)};
        }
    }
    return {};
}

// Opens the master for its rewrite, locked against another, as the master
// that was read. A folder at the backup path is refused here rather than
// when the master is replaced, after the whole new master was written; so
// is a link to a folder, which a POSIX system would replace.
RewriteResult openMaster(const std::string& masterPath, const FileIdentity* asRead,
                         FileReader& input) {
    input = FileReader::open(masterPath, ReadingFor::rewriting);
    if (input.symbolicLink()) {
        return {RewriteError::masterIsLink};
    }
    if (!input) {
        return {input.inUse() ? RewriteError::masterInUse : RewriteError::cannotOpenMaster};
    }
    if (asRead && input.identity() != *asRead) {
        return {RewriteError::masterChanged};
    }
    if (input.readOnly()) {
        return {RewriteError::masterReadOnly};
    }
    return {isFolder(backupPath(masterPath)) ? RewriteError::cannotReplaceMaster
                                             : RewriteError::none};
}

// Writes the new master into `output` from the opened master.
RewriteResult writeNewMaster(FileReader& input, FileWriter& output, const PerChannel& names) {
    FileSink sink(output);
    const RewriteResult result = Rewrite(input, sink, names).run();
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

PreparedRewrite prepareRewrite(const std::string& masterPath, const PerChannel& names,
                               RewriteMode mode, const FileIdentity* asRead) {
    auto state = std::make_unique<PreparedRewrite::State>();
    state->masterPath = masterPath;
    state->mode = mode;
    PreparedRewrite prepared(std::move(state));
    PreparedRewrite::State& held = *prepared.state_;
    RewriteResult& result = prepared.result_;
    result = checkNames(masterPath, names);
    if (result.error == RewriteError::none) {
        result = openMaster(masterPath, asRead, held.input);
    }
    if (result.error != RewriteError::none) {
        return prepared;
    }
    if (mode == RewriteMode::checkOnly) {
        DiscardingSink nowhere;
        result = Rewrite(held.input, nowhere, names).run();
        return prepared;
    }
    FileWriter output = FileWriter::create(folderPart(masterPath), held.input.ownership());
    if (!output) {
        result = {RewriteError::cannotWriteNewMaster};
        return prepared;
    }
    held.newPath = output.path();
    held.removedOnInterrupt.emplace(*held.newPath);
    result = writeNewMaster(held.input, output, names);
    return prepared;
}

RewriteResult rewriteMasterFile(const std::string& masterPath, const PerChannel& names,
                                RewriteMode mode, const FileIdentity* asRead) {
    PreparedRewrite prepared = prepareRewrite(masterPath, names, mode, asRead);
    const UninterruptedStep step;
    return prepared.commit();
}

} // namespace platelier
