// The user settings kept in prefs.cfg in the machine's shared
// application-data folder, and the module's two working folders.  A command
// that needs a setting makes one, loads it, reads it and drops it.
#pragma once

#include <string>

class CPreferences {
 public:
  // Fixed once when the module loads; both stay empty without a root.
  static void setWorkingFolders(const std::wstring& appDataFolder);
  // Both end with a separator.
  static const std::wstring& preferencesFolder();
  static const std::wstring& temporaryFolder();

  CPreferences();
  virtual ~CPreferences();

  // 1 when the file was read, 0 when it cannot be opened (values unchanged).
  int loadPreferences();
  // 1 when the file was written; the previous file survives a failed write.
  int savePreferences();

  int getUnits() const;
  void setUnits(int units);
  int getPrecision() const;
  void setPrecision(int precision);
  double getTextSize() const;
  void setTextSize(double size);
  double getTextScale() const;
  void setTextScale(double scale);
  double getTextRotation() const;
  void setTextRotation(double degrees);
  int getIncrement() const;
  void setIncrement(int increment);
  const std::wstring& getCsvOpener() const;
  void setCsvOpener(const std::wstring& path);
  double getZoomBorder() const;
  void setZoomBorder(double border);
  const std::wstring& getFilePath() const;

 private:
  struct Key;
  static const Key kKeys[];
  std::wstring fileText() const;

  int m_units = 0;
  int m_precision = 2;
  double m_textSize = 250.0;
  double m_textScale = 1.0;
  double m_textRotation = 0.0;
  int m_increment = 1;
  std::wstring m_csvOpener = L"NONE";
  double m_zoomBorder = 1000.0;
  std::wstring m_filePath;
};
