// The program file's resources: version record and icon images.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "ui/win32/resource_ids.h"

namespace zorvitan {
namespace {

// Wine shows the host's root as drive Z:.
const std::string kProgram = std::string("Z:") + ZORVITAN_PROGRAM_FILE;

std::string VersionString(const std::vector<char>& info, const char* name) {
  char* value = nullptr;
  UINT size = 0;
  const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueA(info.data(), path.c_str(), reinterpret_cast<void**>(&value), &size)) {
    return "<missing>";
  }
  return std::string(value);
}

TEST(ProgramFileTest, CarriesItsVersionRecord) {
  DWORD ignored = 0;
  const DWORD size = GetFileVersionInfoSizeA(kProgram.c_str(), &ignored);
  ASSERT_GT(size, 0u) << kProgram;
  std::vector<char> info(size);
  ASSERT_TRUE(GetFileVersionInfoA(kProgram.c_str(), 0, size, info.data()));

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT fixed_size = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &fixed_size));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwFileVersionLS, 0u);
  EXPECT_EQ(fixed->dwProductVersionMS, 0x00010000u);
  EXPECT_EQ(fixed->dwProductVersionLS, 0u);
  EXPECT_EQ(fixed->dwFileType, static_cast<DWORD>(VFT_APP));

  WORD* translation = nullptr;
  UINT translation_size = 0;
  ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation",
                             reinterpret_cast<void**>(&translation), &translation_size));
  ASSERT_GE(translation_size, 4u);
  EXPECT_EQ(translation[0], 0x0409);
  EXPECT_EQ(translation[1], 0x04B0);

  EXPECT_EQ(VersionString(info, "FileVersion"), "1.00");
  EXPECT_EQ(VersionString(info, "ProductVersion"), "1.00");
  EXPECT_EQ(VersionString(info, "ProductName"), "Zorvitan");
}

TEST(ProgramFileTest, IconHasA32And16PixelImage) {
  HMODULE program = LoadLibraryExA(kProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  ASSERT_NE(program, nullptr) << kProgram;
  for (int size : {32, 16}) {
    HRSRC group = FindResourceA(program, MAKEINTRESOURCEA(IDI_ZORVITAN), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    BYTE* directory = static_cast<BYTE*>(LockResource(LoadResource(program, group)));
    const int id = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC image = FindResourceA(program, MAKEINTRESOURCEA(id), RT_ICON);
    ASSERT_NE(image, nullptr) << size;
    const auto* header =
        static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(program, image)));
    EXPECT_EQ(header->biWidth, size);
    EXPECT_EQ(header->biHeight, 2 * size) << "colour image and transparency mask";
    EXPECT_EQ(header->biBitCount, 4) << "16 colours";
  }
  FreeLibrary(program);
}

}  // namespace
}  // namespace zorvitan
