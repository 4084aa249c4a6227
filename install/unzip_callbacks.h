// The routines the extraction library calls while it works. The library gives
// them no context of their own, so they reach the running extraction through
// one "current run" pointer, set for the length of a library call by
// CurrentUnzipRun, and the window through the small UnzipHost interface.
#pragma once

#include <cstdint>
#include <string>

#include "unzip32/unzip32_api.h"

namespace kvu {

// What the extraction needs of the main window.
class UnzipHost {
  public:
    virtual ~UnzipHost() = default;
    virtual std::string InfoCaption() const = 0;
    virtual void SetInfoCaption(const std::string& text) = 0;
    // Lets the windows repaint and handle what is waiting.
    virtual void ProcessPendingEvents() = 0;
    // A message box with the application title (style and answer as
    // ui::Session::MsgBox).
    virtual int MsgBox(const std::string& text, int style) = 0;
    // One line of text from the user with the application title and no default;
    // empty when the user cancels.
    virtual std::string InputBox(const std::string& prompt) = 0;
};

// What the callbacks of one extraction reach.
struct UnzipRun {
    UnzipHost& host;
    bool& passwordSkip;
};

// Makes run the current one until the guard goes, then restores the one before.
class CurrentUnzipRun {
  public:
    explicit CurrentUnzipRun(UnzipRun& run);
    ~CurrentUnzipRun();
    CurrentUnzipRun(const CurrentUnzipRun&) = delete;
    CurrentUnzipRun& operator=(const CurrentUnzipRun&) = delete;

  private:
    UnzipRun* previous_;
};

// Bytes of a message the print callback takes at most.
inline constexpr std::size_t kUnzipPrintLimit = 32801;
// Bytes of the password buffer the password callback writes at most.
inline constexpr std::size_t kUnzipPasswordLimit = 257;

inline constexpr char kOverwritePrefix[] = "Overwrite ";
inline constexpr char kPasswordPrompt[] = "Please Enter The Password!";

// Each callback catches whatever fails inside it and gives its default answer;
// without a current run they give it at once.
std::int32_t UZ_WINAPI UnzipPrint(char* buffer, std::uint32_t size) noexcept;
std::int32_t UZ_WINAPI UnzipReplace(char* fileName) noexcept;
std::int32_t UZ_WINAPI UnzipPassword(char* buffer, std::int32_t size, const char* prompt,
                                     const char* entryName) noexcept;
void UZ_WINAPI UnzipMemberReport(std::uint32_t uncompressedSize, std::uint32_t compressedSize,
                                 std::uint32_t compressionFactor, std::uint32_t month,
                                 std::uint32_t day, std::uint32_t year, std::uint32_t hour,
                                 std::uint32_t minute, char flag, char* entryName, char* methodName,
                                 std::uint32_t crc, char encrypted) noexcept;
std::int32_t UZ_WINAPI UnzipService(const char* entryName, std::uint32_t size) noexcept;

// The five callbacks in the library's order, the sound slot empty, the totals 0.
USERFUNCTIONS UnzipCallbacks();

}  // namespace kvu
