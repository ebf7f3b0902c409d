// A link to a folder, for tests of link loops; removed again at the end.
#pragma once

#include <string>

namespace zorvitan {

class DirectoryLink {
 public:
  DirectoryLink() = default;
  ~DirectoryLink();
  DirectoryLink(const DirectoryLink&) = delete;
  DirectoryLink& operator=(const DirectoryLink&) = delete;

  // Makes `link` lead to the folder `target` (both full Windows paths without
  // a trailing backslash). Tries a Windows directory symbolic link first;
  // Wine 8 accepts that call without creating anything, so under Wine a Unix
  // symbolic link is made instead, which Wine shows as a linked folder.
  // Returns false when no link exists afterwards; failure() says why.
  bool Create(const std::string& link, const std::string& target);
  const std::string& failure() const { return failure_; }

 private:
  std::string link_;
  std::string failure_;
  std::string unix_link_;  // set when the link was made on the Unix side
};

}  // namespace zorvitan
