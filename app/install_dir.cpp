#include "app/install_dir.h"

#include <sys/stat.h>
#include <unistd.h>

#include <utility>

#include "app/guard.h"

namespace qv {
namespace {

std::string& Dir() {
    static std::string dir = ".";
    return dir;
}

}  // namespace

const std::string& InstallDir() { return Dir(); }

void SetInstallDir(std::string dir) {
    while (dir.size() > 1 && dir.back() == '/') dir.pop_back();
    Dir() = std::move(dir);
}

std::string DataDirBeside(const std::string& exe_dir) {
    // The build tree keeps the data beside the executables; an installed tree keeps the
    // executables in bin and the data in share. The symbol archive tells which is which.
    const auto has_data = [](const std::string& dir) {
        struct stat info {};
        return stat((dir + "/basgl.bgd").c_str(), &info) == 0 && S_ISREG(info.st_mode);
    };
    if (has_data(exe_dir)) return exe_dir;
    const std::string parent = DirectoryOf(exe_dir);
    const std::string shared = (parent == "/" ? "" : parent) + "/share/qorvan-logo";
    if (has_data(shared)) return shared;
    return exe_dir;
}

std::string DirectoryOf(const std::string& path) {
    const auto slash = path.rfind('/');
    if (slash == std::string::npos) return path;
    if (slash == 0) return "/";
    return path.substr(0, slash);
}

bool InitInstallDir() {
    char buffer[4096];
    ssize_t len = -1;
    if (!QV_CHECK_T("readlink(\"/proc/self/exe\",pcexe,4096)",
                    (len = readlink("/proc/self/exe", buffer, sizeof buffer - 1)) > 0)) {
        return false;
    }
    const std::string exe(buffer, static_cast<size_t>(len));
    long ne = static_cast<long>(exe.rfind('/'));
    if (exe.rfind('/') == std::string::npos) ne = -1;
    QV_CHECK_T("ne!=-1", ne != -1);
    SetInstallDir(DataDirBeside(DirectoryOf(exe)));
    return true;
}

}  // namespace qv
