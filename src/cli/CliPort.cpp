#include "cli/CliPort.h"

#include <cstdio>
#include <iostream>

#ifdef _WIN32
#include <io.h>
#define TARNWELL_ISATTY(f) _isatty(_fileno(f))
#else
#include <unistd.h>
#define TARNWELL_ISATTY(f) isatty(fileno(f))
#endif

namespace tarnwell::cli {

CliPort::CliPort(CliOptions options) : options_(std::move(options)) {}

CliPort::~CliPort() { EndStatusLine(); }

bool CliPort::OpenStatusLog(const std::filesystem::path& path) {
    statusLog_.open(path, std::ios::binary | std::ios::trunc);
    return static_cast<bool>(statusLog_);
}

void CliPort::EndStatusLine() {
    if (lineOpen_) {
        std::cerr << '\n' << std::flush;
        lineOpen_ = false;
    }
}

void CliPort::ShowOnTerminal(std::string_view text, bool force) {
    // Progress texts can come by the hundred thousand: redraw a few times a second.
    const auto now = std::chrono::steady_clock::now();
    if (!force && now - lastShown_ < std::chrono::milliseconds(80)) return;
    lastShown_ = now;
    std::cerr << "\r\x1b[K" << text << std::flush;
    lineOpen_ = true;
}

void CliPort::SetStatus(std::string_view text, StatusKind kind) {
    if (statusLog_.is_open()) statusLog_ << text << '\n';
    if (options_.quiet) return;
    if (options_.verbose) {
        EndStatusLine();
        std::cerr << text << '\n';
    } else if (options_.terminal) {
        if (!counting_ || kind == StatusKind::Step) ShowOnTerminal(text, kind == StatusKind::Step);
    } else if (kind == StatusKind::Step) {
        std::cerr << text << '\n';
    }
}

void CliPort::Advance(std::string_view work, std::int64_t done, std::int64_t total) {
    if (options_.quiet) return;
    const auto now = std::chrono::steady_clock::now();
    if (done <= 0) countStart_ = now;
    counting_ = done < total;
    const double seconds = std::chrono::duration<double>(now - countStart_).count();
    const std::string line = ProgressLine(work, done, total, SecondsLeft(done, total, seconds));
    if (options_.verbose || !options_.terminal) {
        if (!tenths_.Crossed(done, total)) return;
        EndStatusLine();
        std::cerr << line << '\n';
    } else {
        ShowOnTerminal(line, done <= 0 || done >= total);
    }
}

void CliPort::Beep(BeepKind kind, std::string_view reason) {
    if (kind == BeepKind::Finished) return;
    Warn(reason);
}

void CliPort::Warn(std::string_view text) {
    if (options_.quiet) return;
    EndStatusLine();
    std::cerr << "warning: " << text << '\n';
}

void CliPort::ShowMessage(std::string_view text) {
    if (options_.verbose) {
        EndStatusLine();
        std::cerr << text << '\n';
    }
}

CliOptions PortOptions(const Arguments& a) {
    CliOptions options;
    options.verbose = a.verbose;
    options.quiet = a.quiet;
    options.terminal = TARNWELL_ISATTY(stderr) != 0;
    return options;
}

}  // namespace tarnwell::cli
