#pragma once

// Starting the programs a benchmark measures, with an environment of its
// choosing and their chatter discarded.

#include <fcntl.h>
#include <spawn.h>
#include <sys/types.h>

#include <string>
#include <vector>

namespace jwbench {

/// Starts `args[0]` (looked up in PATH unless it has a slash) in `folder`
/// with exactly `env`; standard error, and standard output when `quiet`,
/// go to /dev/null. Its pid, or -1.
inline pid_t spawnIn(std::vector<std::string> args, const std::string &folder, std::vector<std::string> env,
                     bool quiet = true)
{
    std::vector<char *> argv, envp;
    for (std::string &a : args)
        argv.push_back(a.data());
    argv.push_back(nullptr);
    for (std::string &e : env)
        envp.push_back(e.data());
    envp.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    if (quiet)
        posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[0], &actions, nullptr, argv.data(), envp.data()) != 0)
        pid = -1;
    posix_spawn_file_actions_destroy(&actions);
    return pid;
}

} // namespace jwbench
