#include "uninstall/cleanup_batch.h"

#include "distribution/program_files.h"

namespace qb {
namespace {

std::string Quoted(const std::string& path) {
    return '"' + path + '"';
}

}  // namespace

std::string PreferShortForm(const std::string& longPath, const std::string& shortPath) {
    return shortPath.empty() ? longPath : shortPath;
}

std::string CleanupBatchPath(const Directory& temporaryDirectory) {
    return temporaryDirectory.Join(kCleanupBatchName).Text();
}

std::string UninstallerPath(const Directory& programDirectory) {
    return programDirectory.Join(UpperCase(InstalledName(kUninstallProgram))).Text();
}

std::string CleanupBatchText(const CleanupNames& names) {
    const std::string eol = "\r\n";
    const std::string uninstaller = Quoted(names.uninstaller);
    std::string text;
    text += "echo off" + eol;
    text += "set /a QBTRIES=0" + eol;
    text += ":KILL" + eol;
    text += "del " + uninstaller + eol;
    text += "set /a QBTRIES+=1" + eol;
    text += "if %QBTRIES% GEQ " + std::to_string(kCleanupTries) + " goto REMOVEDIR" + eol;
    // A loopback ping is the pause every command interpreter of the platform has.
    text += "if exist " + uninstaller + " ping -n 2 127.0.0.1 >nul" + eol;
    text += "if exist " + uninstaller + " goto KILL" + eol;
    text += ":REMOVEDIR" + eol;
    text += "rd " + Quoted(names.directory) + eol;
    text += "del " + Quoted(names.batchFile) + eol;
    return text;
}

std::string CleanupCommandLine(const std::string& batchPath) {
    return Quoted(batchPath);
}

}  // namespace qb
