#include "app/docflows.h"

#include "document/cp932.h"
#include "document/fieldtext.h"
#include "document/logfile.h"
#include "document/positions.h"
#include "document/tables.h"
#include "platform/filechooser.h"
#include "platform/files.h"
#include "platform/prompter.h"

#include <algorithm>
#include <cctype>
#include <cerrno>

namespace qc {

namespace {

constexpr int kStandardTokenLines = 6;
constexpr int kDialogTokenLines = 7;

const std::string& importQuestion()
{
    return QC_SJ("現在の化学試験データは削除されます. よいですか?　");
}

std::string withPath(const std::string& cp932Template, const std::string& nativePath)
{
    return ReplaceAll(cp932Template, "%1", cp932::fromUtf8(nativePath));
}

void adoptPath(Document& doc, const std::string& path)
{
    doc.path = path;
    doc.title = fileNameOf(path);
}

// Cuts a UTF-8 path to at most max bytes without splitting a character.
std::string cutPath(const std::string& s, size_t max)
{
    if (s.size() <= max) return s;
    size_t n = max;
    while (n > 0 && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) --n;
    return s.substr(0, n);
}

bool hasSampleData(const Document& doc)
{
    return isNumeric(doc.SampleTable(1, SampleCol::Top)) && isNumeric(doc.SampleTable(1, SampleCol::Bottom));
}

} // namespace

const std::string& openFilter()
{
    return QC_SJ("化学柱状図(*.bhc)|*.bhc|Tavlo(*.tvl) Merin版(*.mrn)|*.tvl;*.mrn|すべて(*.*)|*.*||");
}

const std::string& saveFilter()
{
    return QC_SJ("化学柱状図(*.bhc)|*.bhc|すべて(*.*)|*.*||");
}

std::string fileNotFoundMessage(const std::string& nativePath)
{
    return withPath(QC_SJ("ファイルが見つかりません\n( %1 )"), nativePath);
}

std::string fileErrorText(const FileError& error)
{
    switch (error.code) {
    case ENOSPC:
    case EDQUOT:
    case EFBIG:
        return QC_SJ("ディスクの空きが足りません");
    case EACCES:
    case EPERM:
    case EROFS:
        return QC_SJ("書き込みまたは読み込みが許可されていません");
    case EISDIR:
        return QC_SJ("フォルダです");
    case EINVAL:
        return QC_SJ("通常のファイルではありません");
    case ENAMETOOLONG:
        return QC_SJ("名前が長すぎます");
    case ENOENT:
    case ENOTDIR:
        return QC_SJ("フォルダまたはファイルがありません");
    default:
        return cp932::fromUtf8(error.reason);
    }
}

std::string cannotReadMessage(const std::string& nativePath, const FileError& error)
{
    if (error.notFound()) return fileNotFoundMessage(nativePath);
    return withPath(QC_SJ("読み込めません\n( %1 )"), nativePath) + "\n" + fileErrorText(error);
}

std::string folderOf(const std::string& path)
{
    size_t slash = path.find_last_of("/\\");
    if (slash == std::string::npos) return {};
    if (slash == 0) return path.substr(0, 1);
    return path.substr(0, slash);
}

std::string fileNameOf(const std::string& path)
{
    size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

FlowResult LoadByPath(Document& doc, const std::string& path, Prompter& prompter, int* version)
{
    std::string bytes;
    FileError error;
    if (!readFileBytes(path, bytes, &error)) {
        prompter.message(cannotReadMessage(path, error));
        return FlowResult::Failed;
    }
    TokenLine token = findTokenLine(bytes, kStandardTokenLines);
    if (token.version == logversion::None) {
        prompter.message(QC_SJ("本柱状図では開けません. "));
        return FlowResult::Failed;
    }
    if (isImportVersion(token.version) &&
        prompter.ask(importQuestion(), Buttons::YesNoCancel, Answer::Yes) != Answer::Yes)
        return FlowResult::Cancelled;
    readLogText(doc, bytes, token, &prompter);
    adoptPath(doc, path);
    if (version) *version = token.version;
    return FlowResult::Done;
}

FlowResult OpenDocumentDialog(Document& doc, Prompter& prompter, FileChooser& chooser,
                              const std::string& installFolder)
{
    const std::string rememberedFile = installFolder + "/FilekV.ndx";
    std::string remembered[2];
    {
        std::string bytes;
        if (readFileBytes(rememberedFile, bytes)) {
            int n = 0;
            forEachLine(bytes, [&](std::string_view line) {
                if (n < 2) remembered[n++] = std::string(line.substr(0, 1018));
            });
        }
    }

    const bool samples = hasSampleData(doc);

    FileDialogRequest request;
    request.save = false;
    request.filter = openFilter();
    request.defaultExtension = "bhc";
    request.initialFolder = remembered[0];
    std::optional<std::string> chosen = chooser.choose(request);
    if (!chosen || chosen->empty()) return FlowResult::Cancelled;
    const std::string& path = *chosen;
    const std::string folder = folderOf(path);
    const std::string name = fileNameOf(path);

    if (samples && (path.find(".tvl") != std::string::npos || path.find(".mrn") != std::string::npos) &&
        prompter.ask(importQuestion(), Buttons::YesNoCancel, Answer::Yes) != Answer::Yes)
        return FlowResult::Cancelled;

    std::string bytes;
    FileError error;
    if (!readFileBytes(path, bytes, &error)) {
        prompter.message(cannotReadMessage(path, error));
        return FlowResult::Failed;
    }
    TokenLine token = findTokenLine(bytes, kDialogTokenLines);
    if (token.version == logversion::None) {
        prompter.message(QC_SJ("本柱状図では開けません. "));
        return FlowResult::Failed;
    }
    readLogText(doc, bytes, token, &prompter);
    adoptPath(doc, path);
    // Losing the remembered folder is harmless: the next dialog starts elsewhere.
    (void)writeFileAtomically(rememberedFile, cutPath(folder, 800) + "\r\n" + name + "\r\n");
    doc.modified = 0;
    return FlowResult::Done;
}

bool writeDocumentFile(Document& doc, const std::string& path, FileError* error)
{
    return writeFileAtomically(path, WriteLog(doc), error);
}

static FlowResult writeTo(Document& doc, const std::string& path, Prompter& prompter)
{
    FileError error;
    if (!writeDocumentFile(doc, path, &error)) {
        // The reason goes on a line of its own below the message.
        prompter.message(QC_SJ("保存できませんでした") + "\n" + fileErrorText(error));
        return FlowResult::Failed;
    }
    adoptPath(doc, path);
    doc.modified = 0;
    return FlowResult::Done;
}

FlowResult SaveDocument(Document& doc, Prompter& prompter, FileChooser& chooser)
{
    if (doc.path.empty() || doc.path.back() == '.') return SaveDocumentAs(doc, prompter, chooser);
    // The title is a native (UTF-8) file name: its first "." is found byte by byte, since
    // walking it as CP932 text would take a "." after "あ" (E3 81 82) for a trail byte.
    const size_t dot = doc.title.find('.');
    const std::string ext = dot == std::string::npos ? std::string() : doc.title.substr(dot + 1);
    if (ext.size() < 2) return SaveDocumentAs(doc, prompter, chooser);
    std::string lower = ext;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower != "bhc") {
        prompter.message(QC_SJ("標準の拡張子ではありません"));
        return SaveDocumentAs(doc, prompter, chooser);
    }
    return writeTo(doc, doc.path, prompter);
}

FlowResult SaveDocumentAs(Document& doc, Prompter& prompter, FileChooser& chooser)
{
    FileDialogRequest request;
    request.save = true;
    request.filter = saveFilter();
    request.defaultExtension = "bhc";
    request.initialFile = doc.path;
    std::optional<std::string> chosen = chooser.choose(request);
    if (!chosen || chosen->empty()) return FlowResult::Cancelled;
    std::string path = *chosen;
    if (path.back() == '.') path.pop_back();
    if (fileNameOf(path).find('.') == std::string::npos) path += ".bhc";
    return writeTo(doc, path, prompter);
}

} // namespace qc
