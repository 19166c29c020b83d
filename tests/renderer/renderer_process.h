// Runs the renderer executable as a user does, in a scratch folder of its own, and reports how it
// ended and what it wrote on standard error.
#pragma once

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

struct RendererRun {
    bool exited = false;  // false: it died on a signal
    int exitCode = -1;
    std::string errors;  // standard error
};

// A folder that lives as long as the object.
class ScratchFolder {
   public:
    ScratchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "vantrel-render-XXXXXX").string();
        if (!mkdtemp(pattern.data())) throw std::runtime_error("cannot make a scratch folder");
        path_ = pattern;
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string write(const std::string& name, const std::string& text) const {
        std::ofstream(file(name), std::ios::binary) << text;
        return file(name);
    }

   private:
    std::filesystem::path path_;
};

inline std::string readText(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Runs the renderer with `arguments` (after --quiet), standard error into the scratch folder.
inline RendererRun runRenderer(const ScratchFolder& scratch,
                               const std::vector<std::string>& arguments) {
    std::vector<std::string> words = {VANTREL_RENDER_PATH, "--quiet"};
    words.insert(words.end(), arguments.begin(), arguments.end());
    std::vector<char*> argv;
    for (std::string& w : words) argv.push_back(w.data());
    argv.push_back(nullptr);

    const std::string errorFile = scratch.file("stderr.txt");
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, errorFile.c_str(),
                                     O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid = 0;
    RendererRun run;
    const int spawned = posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (spawned != 0) {
        run.errors = "could not start " + words[0];
        return run;
    }
    int status = 0;
    waitpid(pid, &status, 0);
    run.exited = WIFEXITED(status);
    run.exitCode = run.exited ? WEXITSTATUS(status) : -1;
    run.errors = readText(errorFile);
    return run;
}
