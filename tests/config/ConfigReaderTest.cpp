// Rules of the configuration reader: root tag, value rule, numbers, texts, pieces and odd bytes.
#include "config/ConfigReader.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <string>

#include "tests/config/PreparedSettings.h"
#include "tests/config/TempFolder.h"

namespace {

const std::string kRoot = "<Kinetra-ActiveX-Control-Configuration>\r\n";
const std::string kEnd = "</Kinetra-ActiveX-Control-Configuration>\r\n";
const char kStorage[] = "D:\\storage";

CameraSettings Prepared() { return PreparedSettings(kStorage); }

CameraSettings Read(const std::string& text, ConfigReadStatus* status = nullptr) {
  CameraSettings s = Prepared();
  const ConfigReadStatus result = ReadConfigText(text.data(), text.size(), s);
  if (status) *status = result;
  return s;
}

bool SameRecord(const CameraSettings& a, const CameraSettings& b) {
  return std::memcmp(&a, &b, sizeof a) == 0;
}

}  // namespace

TEST(ConfigReader, ValueRule) {
  const struct { const char* line; const char* value; } cases[] = {
      {"  <Rate>250</Rate>\n", "250"},
      {"  <Rate>250\n", "250\n"},            // no closing tag: the line end belongs to the value
      {"  <Rate>250", "250"},
      {"no tags at all\n", ""},
      {"  <Rate></Rate>\n", ""},
      {"a>b>c<d<e\n", "b>c<d"},              // first '>' and last '<' after it
      {"<ImageFolder>C:\\a<b>c</ImageFolder>", "C:\\a<b>c"},
      {"<<>>", ">"},
      {">", ""},
      {"x<y>", ""},
  };
  for (const auto& c : cases) {
    char value[kConfigLineChars + 1];
    ExtractConfigValue(c.line, value);
    EXPECT_STREQ(value, c.value) << c.line;
  }
}

TEST(ConfigReader, NumbersParseLikeStrtolWith32BitLong) {
  const struct { const char* text; std::int32_t number; } cases[] = {
      {"42", 42},           {"  \t\v\f\r\n17", 17}, {"+7", 7},
      {"-5", -5},           {"12abc", 12},          {"abc", 0},
      {"", 0},              {"-", 0},               {"+-3", 0},
      {"0x1F", 0},          {"007", 7},             {"2147483647", INT32_MAX},
      {"2147483648", INT32_MAX},   {"-2147483648", INT32_MIN}, {"-2147483649", INT32_MIN},
      {"4294967295", INT32_MAX},   {"99999999999999999999999", INT32_MAX},
      {"- 3", 0},           {"3 4", 3},
  };
  for (const auto& c : cases) EXPECT_EQ(ParseConfigNumber(c.text), c.number) << c.text;
}

TEST(ConfigReader, EveryNumericTagStoresItsField) {
  const std::string text = kRoot +
      "  <Exposure>11</Exposure>\r\n  <ExpMode>1</ExpMode>\r\n  <Rate>13</Rate>\r\n"
      "  <OutputRate>14</OutputRate>\r\n  <Gain>2</Gain>\r\n  <RecordMode>1</RecordMode>\r\n"
      "  <SyncInCfg>4</SyncInCfg>\r\n  <TriggerInCfg>2</TriggerInCfg>\r\n  <ROI-X0>-19</ROI-X0>\r\n"
      "  <ROI-Y0>20</ROI-Y0>\r\n  <ROI-Width>21</ROI-Width>\r\n  <ROI-Height>22</ROI-Height>\r\n"
      "  <LiveTimeOut>23</LiveTimeOut>\r\n  <AcquisitionFrames>24</AcquisitionFrames>\r\n"
      "  <AcquisitionPreTriggerFrames>25</AcquisitionPreTriggerFrames>\r\n  <LWR>0</LWR>\r\n"
      "  <FileType>27</FileType>\r\n  <CodecAVI>28</CodecAVI>\r\n  <CodecAVIQual>29</CodecAVIQual>\r\n"
      "  <CodecMOV>30</CodecMOV>\r\n  <CodecJPGQual>31</CodecJPGQual>\r\n" + kEnd;
  ConfigReadStatus status;
  const CameraSettings s = Read(text, &status);
  EXPECT_EQ(status, kConfigRead);
  EXPECT_EQ(s.Exposure, 11u);
  EXPECT_EQ(s.ExpMode, 1u);
  EXPECT_EQ(s.Rate, 13u);
  EXPECT_EQ(s.OutputRate, 14u);
  EXPECT_EQ(s.Gain, 2u);
  EXPECT_EQ(s.RecordMode, 1u);
  EXPECT_EQ(s.SyncInCfg, 4u);
  EXPECT_EQ(s.TriggerInCfg, 2u);
  EXPECT_EQ(s.RoiX0, -19);
  EXPECT_EQ(s.RoiY0, 20);
  EXPECT_EQ(s.RoiWidth, 21);
  EXPECT_EQ(s.RoiHeight, 22);
  EXPECT_EQ(s.LiveTimeOut, 23u);
  EXPECT_EQ(s.AcquisitionFrames, 24u);
  EXPECT_EQ(s.AcquisitionPreTriggerFrames, 25u);
  EXPECT_EQ(s.LWR, 0u);
  EXPECT_EQ(s.FileType, 27u);
  EXPECT_EQ(s.CodecAVI, 28u);
  EXPECT_EQ(s.CodecAVIQual, 29u);
  EXPECT_EQ(s.CodecMOV, 30u);
  EXPECT_EQ(s.CodecJPGQual, 31u);
  // Fields the file does not carry keep their defaults.
  EXPECT_EQ(s.PixelDepth, 8u);
  EXPECT_EQ(s.Size, sizeof(CameraSettings));
}

TEST(ConfigReader, RejectsFileWithoutRootTagOnFirstLine) {
  const std::string body = "  <Exposure>5</Exposure>\r\n  <ImageNamePrefix>X</ImageNamePrefix>\r\n" + kEnd;
  const struct { std::string text; ConfigReadStatus status; } cases[] = {
      {"<?xml version=\"1.0\"?>\r\n" + kRoot + body, kConfigForeign},
      {"", kConfigForeign},
      {"\r\n" + kRoot + body, kConfigForeign},
      {"<kinetra-activex-control-configuration>\r\n" + body, kConfigForeign},  // case matters
      {std::string("<Kinetra-ActiveX-Control") + '\0' + "-Configuration>\r\n" + body, kConfigForeign},
      {std::string(480, ' ') + kRoot + body, kConfigForeign},  // root tag beyond the first piece
  };
  const CameraSettings untouched = Prepared();
  for (const auto& c : cases) {
    ConfigReadStatus status;
    const CameraSettings s = Read(c.text, &status);
    EXPECT_EQ(status, c.status);
    EXPECT_TRUE(SameRecord(s, untouched)) << c.text.substr(0, 60);
  }
  // Other text around the root tag on the first line is accepted.
  EXPECT_EQ(Read("garbage" + kRoot.substr(0, kRoot.size() - 2) + "more\r\n" + body).Exposure, 5u);
}

TEST(ConfigReader, WordInsteadOfNumberGivesZero) {
  const CameraSettings s = Read(kRoot + "  <Exposure>fast</Exposure>\r\n  <Rate></Rate>\r\n" + kEnd);
  EXPECT_EQ(s.Exposure, 0u);
  EXPECT_EQ(s.Rate, 0u);
}

TEST(ConfigReader, MissingClosingTagStillGivesValue) {
  const std::string cases[] = {
      kRoot + "  <Rate>250</Rate>\r\n",
      kRoot + "  <Rate>250\r\n",
      kRoot + "  <Rate>250",  // and no end tag at all: read to the file's end
      kRoot + "  <Rate>250\n" + kEnd,
  };
  for (const auto& text : cases) EXPECT_EQ(Read(text).Rate, 250u) << text;
}

TEST(ConfigReader, TextValuesKeepAngleBracketsAndCutToField) {
  const std::string longPrefix(100, 'p');
  const std::string longFolder(400, 'f');
  const struct { std::string line; std::string prefix; std::string folder; } cases[] = {
      {"  <ImageNamePrefix>a<b>c</ImageNamePrefix>", "a<b>c", kStorage},
      {"  <ImageFolder>C:\\x<y>\\z</ImageFolder>", "Img", "C:\\x<y>\\z"},
      {"  <ImageNamePrefix></ImageNamePrefix>", "Img", kStorage},
      {"  <ImageFolder></ImageFolder>", "Img", kStorage},
      {"  <ImageNamePrefix>" + longPrefix + "</ImageNamePrefix>", longPrefix.substr(0, 66), kStorage},
      {"  <ImageFolder>" + longFolder + "</ImageFolder>", "Img", longFolder.substr(0, 260)},
      {"  <ImageNamePrefix>abc", "abc\n", kStorage},  // text mode turns CR LF into the value's LF
      // The prefix tag is looked for first, wherever it stands on the line.
      {"  <ImageFolder>x<ImageNamePrefix>y</ImageNamePrefix>", "x<ImageNamePrefix>y", kStorage},
  };
  for (const auto& c : cases) {
    const CameraSettings s = Read(kRoot + c.line + "\r\n" + kEnd);
    EXPECT_EQ(std::string(s.ImageNamePrefix), c.prefix) << c.line;
    EXPECT_EQ(std::string(s.ImageFolder), c.folder) << c.line;
    EXPECT_EQ(s.ImageNamePrefix[sizeof s.ImageNamePrefix - 1], '\0');
    EXPECT_EQ(s.ImageFolder[sizeof s.ImageFolder - 1], '\0');
  }
}

TEST(ConfigReader, TagsNeedTheirBracketsAndFirstListedTagWins) {
  const struct { const char* line; std::uint32_t rate, outputRate, codecAvi, codecAviQual, fileType, lwr; } cases[] = {
      {"<OutputRate>9</OutputRate>", 100, 9, 0, 10000, 1, 1},
      {"<CodecAVIQual>5</CodecAVIQual>", 100, 5, 0, 5, 1, 1},
      {"<CodecAVI>6</CodecAVI>", 100, 5, 6, 10000, 1, 1},
      {"<Rate>7</Rate><OutputRate>8</OutputRate>", 7, 5, 0, 10000, 1, 1},
      {"<LWR>3</LWR><FileType>4</FileType>", 100, 5, 0, 10000, 3, 1},  // FileType is tested first
      {"Rate>6</Rate>", 100, 5, 0, 10000, 1, 1},
      {"<rate>6</rate>", 100, 5, 0, 10000, 1, 1},
  };
  for (const auto& c : cases) {
    const CameraSettings s = Read(kRoot + "  " + c.line + "\r\n" + kEnd);
    EXPECT_EQ(s.Rate, c.rate) << c.line;
    EXPECT_EQ(s.OutputRate, c.outputRate) << c.line;
    EXPECT_EQ(s.CodecAVI, c.codecAvi) << c.line;
    EXPECT_EQ(s.CodecAVIQual, c.codecAviQual) << c.line;
    EXPECT_EQ(s.FileType, c.fileType) << c.line;
    EXPECT_EQ(s.LWR, c.lwr) << c.line;
  }
}

TEST(ConfigReader, LinesAfterEndTagAreNeverRead) {
  const CameraSettings s =
      Read(kRoot + "  <Gain>1</Gain>\r\n" + kEnd + "  <Rate>7</Rate>\r\n" + kRoot + "  <Exposure>3</Exposure>\r\n");
  EXPECT_EQ(s.Gain, 1u);
  EXPECT_EQ(s.Rate, 100u);
  EXPECT_EQ(s.Exposure, 1000u);
  // A value on the end tag's own line is not taken either.
  EXPECT_EQ(Read(kRoot + "  <Rate>3</Rate>" + kEnd).Rate, 100u);
}

TEST(ConfigReader, LongLinesAreReadInPiecesOf511) {
  const std::string filler(kConfigLineChars, 'x');
  // The second piece of this line starts with the tag, so it is read as a line of its own.
  EXPECT_EQ(Read(kRoot + filler + "<Gain>3</Gain>\r\n" + kEnd).Gain, 3u);
  // A tag cut by the piece boundary is found in neither piece.
  EXPECT_EQ(Read(kRoot + filler.substr(2) + "<Gain>3</Gain>\r\n" + kEnd).Gain, 0u);
  // 10 MB on one line, then an ordinary line.
  const std::string huge(10 * 1024 * 1024, 'a');
  const CameraSettings s = Read(kRoot + huge + "\r\n  <Rate>250</Rate>\r\n" + kEnd);
  EXPECT_EQ(s.Rate, 250u);
  EXPECT_STREQ(s.ImageNamePrefix, "Img");
  // 10 MB of tags without any line end: every piece is handled, nothing runs past a field.
  std::string tags;
  while (tags.size() < 10 * 1024 * 1024) tags += "<ImageFolder>" + std::string(300, 'f') + "</ImageFolder>";
  const CameraSettings t = Read(kRoot + tags);
  EXPECT_LE(std::strlen(t.ImageFolder), 260u);
}

TEST(ConfigReader, NulBytesEndTheLineText) {
  const std::string nul(1, '\0');
  const CameraSettings s = Read(kRoot + "  <Rate>2" + nul + "50</Rate>\r\n" + nul + "<Gain>1</Gain>\r\n" +
                                "  <Exposure>" + nul + "</Exposure>\r\n" + kEnd);
  EXPECT_EQ(s.Rate, 2u);
  EXPECT_EQ(s.Gain, 0u);       // the line's text is empty before its NUL
  EXPECT_EQ(s.Exposure, 0u);   // the value is empty: nothing to parse
}

TEST(ConfigReader, WithoutLineEndsEverythingIsOneLine) {
  // Root and values on one line: only the root check sees it, so nothing is taken.
  EXPECT_EQ(Read(kRoot.substr(0, kRoot.size() - 2) + "<Exposure>5</Exposure><Rate>7</Rate>" +
                 kEnd.substr(0, kEnd.size() - 2)).Exposure, 1000u);
  // A value line of only tags: one value, for the first listed tag.
  const CameraSettings s = Read(kRoot + "<Exposure>5</Exposure><Rate>7</Rate>");
  EXPECT_EQ(s.Exposure, 5u);
  EXPECT_EQ(s.Rate, 100u);
}

TEST(ConfigReader, TextModeLineEnds) {
  // CR LF is one line end, a lone CR is an ordinary character and a Ctrl-Z ends the file.
  const CameraSettings s = Read(kRoot + "  <Gain>1\r\n  <Rate>7\r<Exposure>9\r\n\x1A  <CodecMOV>4</CodecMOV>\r\n");
  EXPECT_EQ(s.Gain, 1u);
  EXPECT_EQ(s.Exposure, 7u);   // one line holding both tags: Exposure is tested first
  EXPECT_EQ(s.Rate, 100u);
  EXPECT_EQ(s.CodecMOV, 1u);
}

TEST(ConfigReader, MissingFileLeavesRecordAlone) {
  TempFolder folder;
  CameraSettings s = Prepared();
  EXPECT_EQ(ReadConfigFile(folder.File("77.xml").c_str(), s), kConfigCannotOpen);
  EXPECT_TRUE(SameRecord(s, Prepared()));
}

TEST(ConfigReader, ReadsFileLikeText) {
  TempFolder folder;
  const std::string text = kRoot + "  <Rate>250</Rate>\r\n  <ImageFolder>E:\\x</ImageFolder>\r\n" + kEnd;
  WriteWholeFile(folder.File("77.xml"), text);
  CameraSettings fromFile = Prepared();
  EXPECT_EQ(ReadConfigFile(folder.File("77.xml").c_str(), fromFile), kConfigRead);
  EXPECT_TRUE(SameRecord(fromFile, Read(text)));
  EXPECT_EQ(fromFile.Rate, 250u);
}
