#include "platform/JpegImage.h"

#include "platform/ExifPreview.h"
#include "platform/FileSystem.h"

#include <QtGlobal>
#include <cmath>
#include <csetjmp>
#include <cstdio>
#include <jerror.h>
#include <jpeglib.h>

// libjpeg reports a fatal error by calling error_exit, which must not return. Ours longjmps back
// to the Run() that started the step, so only frames with trivially destructible locals (the
// step's lambda and libjpeg's own) are ever skipped, and the decompressor is reset or destroyed
// on every path.

namespace {

constexpr size_t kInputBufferSize = 64 * 1024;
// Bounds libjpeg's own buffers (the whole-picture coefficient store of progressive pictures);
// beyond it libjpeg stops with an error instead of taking the machine's memory. A few hundred
// bytes can declare a progressive picture whose store alone would take most of a gigabyte;
// 256 MB still holds that of an 80-megapixel 4:2:0 photo.
constexpr long kMaxDecoderMemory = 256L * 1024 * 1024;
// Each scan of a progressive picture revisits the whole picture; a crafted file with thousands
// of tiny scans would keep the decoder busy for minutes.
constexpr int kMaxScans = 1000;
// QImage::Format_RGB32 in memory, with the fourth byte set to 0xFF as that format requires.
constexpr J_COLOR_SPACE kRgb32Space = Q_BYTE_ORDER == Q_LITTLE_ENDIAN ? JCS_EXT_BGRA : JCS_EXT_ARGB;
constexpr int kDctScales[] = {8, 4, 2};

struct ErrorManager
{
    jpeg_error_mgr pub;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

// Reads the file through its own buffer, or hands libjpeg the bytes in memory at once.
struct SourceManager
{
    jpeg_source_mgr pub;
    TFile* file;
    const QByteArray* memory;
    bool atStart;
    // The file gave no more bytes: it is not asked again. A marker's length can make libjpeg
    // skip tens of thousands of end markers, each asking for more.
    bool atEnd;
    JOCTET buffer[kInputBufferSize];
};

ErrorManager& ErrorOf(j_common_ptr info)
{
    return *reinterpret_cast<ErrorManager*>(info->err);
}

[[noreturn]] void ExitWithError(j_common_ptr info)
{
    ErrorManager& error = ErrorOf(info);
    info->err->format_message(info, error.message);
    std::longjmp(error.jump, 1);
}

// Warnings are counted by libjpeg; nothing is printed.
void DiscardMessage(j_common_ptr) {}

[[noreturn]] void Fail(j_decompress_ptr info, J_MESSAGE_CODE code)
{
    info->err->msg_code = code;
    ExitWithError(reinterpret_cast<j_common_ptr>(info));
}

void Warn(j_decompress_ptr info, J_MESSAGE_CODE code)
{
    info->err->msg_code = code;
    info->err->emit_message(reinterpret_cast<j_common_ptr>(info), -1);
}

void InitSource(j_decompress_ptr) {}

boolean FillInputBuffer(j_decompress_ptr info)
{
    auto* source = reinterpret_cast<SourceManager*>(info->src);
    int64_t count = source->file && !source->atEnd
                        ? source->file->Read(source->buffer, kInputBufferSize)
                        : 0;
    if (count < 0)
        Fail(info, JERR_FILE_READ);
    if (count == 0) {
        source->atEnd = true;
        if (source->atStart)
            Fail(info, JERR_INPUT_EMPTY);
        // A truncated file: end it with an end-of-image marker, so libjpeg keeps what it has.
        Warn(info, JWRN_JPEG_EOF);
        source->buffer[0] = 0xFF;
        source->buffer[1] = JPEG_EOI;
        count = 2;
    }
    source->pub.next_input_byte = source->buffer;
    source->pub.bytes_in_buffer = static_cast<size_t>(count);
    source->atStart = false;
    return TRUE;
}

void SkipInputData(j_decompress_ptr info, long count)
{
    if (count <= 0)
        return;
    jpeg_source_mgr& source = *info->src;
    auto remaining = static_cast<size_t>(count);
    while (remaining > source.bytes_in_buffer) {
        remaining -= source.bytes_in_buffer;
        FillInputBuffer(info);
    }
    source.next_input_byte += remaining;
    source.bytes_in_buffer -= remaining;
}

void TermSource(j_decompress_ptr) {}

void LimitScans(j_common_ptr common)
{
    if (!common->is_decompressor)
        return;
    if (reinterpret_cast<j_decompress_ptr>(common)->input_scan_number > kMaxScans) {
        ErrorManager& error = ErrorOf(common);
        std::snprintf(error.message, sizeof error.message, "More than %d scans", kMaxScans);
        std::longjmp(error.jump, 1);
    }
}

// The first dimension of the output at 1 / denominator, as libjpeg rounds it.
int64_t ScaledLength(int length, int denominator)
{
    return (int64_t(length) + denominator - 1) / denominator;
}

// CMYK (or YCCK turned into CMYK by libjpeg) to RGB in place. Adobe's encoders store the inks
// inverted, 255 meaning no ink; the APP14 marker tells them apart.
void ConvertCmykToRgb(QImage& image, bool inverted)
{
    for (int y = 0; y < image.height(); ++y) {
        uchar* bytes = image.scanLine(y);
        auto* pixels = reinterpret_cast<QRgb*>(bytes);
        for (int x = 0; x < image.width(); ++x) {
            int ink[4] = {bytes[4 * x], bytes[4 * x + 1], bytes[4 * x + 2], bytes[4 * x + 3]};
            if (!inverted)
                for (int& value : ink)
                    value = 255 - value;
            const int k = ink[3];
            pixels[x] = qRgb(ink[0] * k / 255, ink[1] * k / 255, ink[2] * k / 255);
        }
    }
}
// The row and column, within its 8 x 8 block, of each coefficient in the order the scans send
// them (zigzag).
constexpr int kZigzagRow[64] = {0, 0, 1, 2, 1, 0, 0, 1, 2, 3, 4, 3, 2, 1, 0, 0, 1, 2, 3, 4, 5, 6,
                                5, 4, 3, 2, 1, 0, 0, 1, 2, 3, 4, 5, 6, 7, 7, 6, 5, 4, 3, 2, 1, 2,
                                3, 4, 5, 6, 7, 7, 6, 5, 4, 3, 4, 5, 6, 7, 7, 6, 5, 6, 7, 7};
constexpr int kZigzagColumn[64] = {0, 1, 0, 0, 1, 2, 3, 2, 1, 0, 0, 1, 2, 3, 4, 5, 4, 3, 2, 1, 0, 0,
                                   1, 2, 3, 4, 5, 6, 7, 6, 5, 4, 3, 2, 1, 0, 1, 2, 3, 4, 5, 6, 7, 7,
                                   6, 5, 4, 3, 2, 3, 4, 5, 6, 7, 7, 6, 5, 4, 5, 6, 7, 7, 6, 7};

// Whether a progressive picture has received every bit of the coefficients its scaled output
// uses. A component scaled to n x n pixels a block uses only the block's top-left n x n
// coefficients: the DC alone at 1 x 1, the first three AC too where libjpeg scales subsampled
// colour to 2 x 2. Nothing the later scans bring changes the picture.
bool ScaledCoefficientsComplete(const jpeg_decompress_struct& info)
{
    for (int component = 0; component < info.num_components; ++component) {
        const int used = info.comp_info[component].DCT_scaled_size;
        for (int k = 0; k < 64; ++k)
            if (kZigzagRow[k] < used && kZigzagColumn[k] < used &&
                info.coef_bits[component][k] != 0)
                return false;
    }
    return true;
}

// The aspects of the two sizes differ by at most 2 %.
bool SameAspect(QSize a, QSize b)
{
    const double wide = double(a.width()) * b.height();
    const double high = double(b.width()) * a.height();
    return std::abs(wide - high) <= 0.02 * high;
}

} // namespace

struct TJpegImage::Impl
{
    TFile file;
    // The bytes of a picture loaded from memory (an embedded preview).
    QByteArray memory;
    jpeg_decompress_struct info = {};
    ErrorManager error = {};
    SourceManager source = {};
    jpeg_progress_mgr progress = {};
    bool created = false;
    bool loaded = false;
    // The header has just been read and nothing decoded since, so decoding can start at once.
    bool atHeader = false;
    int width = 0;
    int height = 0;
    // The picture's Exif block, when it has exactly one.
    QByteArray exif;

    Impl();
    ~Impl() noexcept;

    template <typename Step> bool Run(const Step& step) noexcept;
    bool Load();
    bool ReadHeader();
    void KeepExifBlock();
    QImage Refuse(const char* message);
    QImage DecodeAt(int denominator);
    void ReadRows(uchar* bits, qsizetype bytesPerLine);
    void ReadScansUntilComplete(uchar* bits, qsizetype bytesPerLine);
};

TJpegImage::Impl::Impl()
{
    info.err = jpeg_std_error(&error.pub);
    error.pub.error_exit = ExitWithError;
    error.pub.output_message = DiscardMessage;
    created = Run([this] {
        jpeg_create_decompress(&info);
        // The Exif block (APP1) comes before the frame header, so reading the header brings it.
        jpeg_save_markers(&info, JPEG_APP0 + 1, 0xFFFF);
    });
    if (!created)
        return;
    info.mem->max_memory_to_use = kMaxDecoderMemory;
    source.file = &file;
    source.pub.init_source = InitSource;
    source.pub.fill_input_buffer = FillInputBuffer;
    source.pub.skip_input_data = SkipInputData;
    source.pub.resync_to_restart = jpeg_resync_to_restart;
    source.pub.term_source = TermSource;
    info.src = &source.pub;
    progress.progress_monitor = LimitScans;
    info.progress = &progress;
}

TJpegImage::Impl::~Impl() noexcept
{
    if (created)
        jpeg_destroy_decompress(&info);
}

template <typename Step> bool TJpegImage::Impl::Run(const Step& step) noexcept
{
    error.message[0] = '\0';
    if (setjmp(error.jump) != 0) {
        // Back from a fatal error: drop the half-done decode and its memory.
        atHeader = false;
        if (created)
            jpeg_abort_decompress(&info);
        return false;
    }
    step();
    return true;
}

// Reads the header of the source just set up; the picture stays empty when it cannot.
bool TJpegImage::Impl::Load()
{
    width = height = 0;
    exif.clear();
    error.message[0] = '\0';
    loaded = created && (file.IsOpen() || source.memory) && ReadHeader();
    if (!loaded) {
        if (error.message[0] == '\0')
            std::snprintf(error.message, sizeof error.message, "Cannot open the file");
        file.Close();
        memory.clear();
        source.memory = nullptr;
        return false;
    }
    width = static_cast<int>(info.image_width);
    height = static_cast<int>(info.image_height);
    KeepExifBlock();
    return true;
}

bool TJpegImage::Impl::ReadHeader()
{
    atHeader = Run([this] {
        jpeg_abort_decompress(&info);
        source.atEnd = false;
        if (source.memory) {
            source.pub.next_input_byte = reinterpret_cast<const JOCTET*>(source.memory->data());
            source.pub.bytes_in_buffer = size_t(source.memory->size());
            source.atStart = source.memory->isEmpty();
        } else {
            if (!file.Rewind())
                Fail(&info, JERR_FILE_READ);
            source.atStart = true;
            source.pub.next_input_byte = nullptr;
            source.pub.bytes_in_buffer = 0;
        }
        jpeg_read_header(&info, TRUE);
    });
    return atHeader;
}

// Two Exif blocks contradict each other at best; neither is trusted.
void TJpegImage::Impl::KeepExifBlock()
{
    int blocks = 0;
    for (jpeg_saved_marker_ptr marker = info.marker_list; marker; marker = marker->next) {
        const QByteArrayView data(marker->data, qsizetype(marker->data_length));
        if (marker->marker == JPEG_APP0 + 1 && IsExifBlock(data) && ++blocks == 1)
            exif = data.toByteArray();
    }
    if (blocks != 1)
        exif.clear();
}

QImage TJpegImage::Impl::Refuse(const char* message)
{
    std::snprintf(error.message, sizeof error.message, "%s", message);
    jpeg_abort_decompress(&info);
    atHeader = false;
    return {};
}

QImage TJpegImage::Impl::DecodeAt(int denominator)
{
    if (!loaded || (!atHeader && !ReadHeader()))
        return {};
    atHeader = false;
    if (int64_t(width) * height > MaxDeclaredPixels)
        return Refuse("Picture too large");
    const bool cmyk = info.jpeg_color_space == JCS_CMYK || info.jpeg_color_space == JCS_YCCK;
    info.out_color_space = cmyk ? JCS_CMYK : kRgb32Space;
    info.scale_num = 1;
    info.scale_denom = static_cast<unsigned int>(denominator);
    // A reduced picture is only ever stretched to a thumbnail: the fast transform and plain
    // upsampling cost nothing visible there and save a third of the decoding.
    if (denominator > 1) {
        info.dct_method = JDCT_IFAST;
        info.do_fancy_upsampling = FALSE;
        info.do_block_smoothing = FALSE;
    }
    const bool early = denominator == 8 && info.progressive_mode;
    info.buffered_image = early ? TRUE : FALSE;
    if (!Run([this] { jpeg_calc_output_dimensions(&info); }))
        return {};
    if (int64_t(info.output_width) * info.output_height > kMaxPicturePixels)
        return Refuse("Picture too large");
    QImage image(static_cast<int>(info.output_width), static_cast<int>(info.output_height),
                 QImage::Format_RGB32);
    if (image.isNull())
        return Refuse("Not enough memory for the picture");
    uchar* const bits = image.bits();
    const qsizetype bytesPerLine = image.bytesPerLine();
    if (!Run([&] {
            jpeg_start_decompress(&info);
            if (early) {
                ReadScansUntilComplete(bits, bytesPerLine);
            } else {
                ReadRows(bits, bytesPerLine);
                jpeg_finish_decompress(&info);
            }
        }))
        return {};
    if (cmyk)
        ConvertCmykToRgb(image, info.saw_Adobe_marker);
    return image;
}

void TJpegImage::Impl::ReadRows(uchar* bits, qsizetype bytesPerLine)
{
    constexpr JDIMENSION kRowsPerCall = 8;
    JSAMPROW rows[kRowsPerCall];
    while (info.output_scanline < info.output_height) {
        const JDIMENSION count = qMin(kRowsPerCall, info.output_height - info.output_scanline);
        for (JDIMENSION i = 0; i < count; ++i)
            rows[i] = bits + (info.output_scanline + i) * bytesPerLine;
        jpeg_read_scanlines(&info, rows, count);
    }
}

// A progressive picture at 1/8 in buffered-image mode: the scans are read only until the
// coefficients the scaled output uses are complete (or the data ends), then the picture is output
// once from them, the same pixels as after every scan. The scans after that are never read.
void TJpegImage::Impl::ReadScansUntilComplete(uchar* bits, qsizetype bytesPerLine)
{
    for (;;) {
        const int status = jpeg_consume_input(&info);
        if (status == JPEG_REACHED_EOI || status == JPEG_SUSPENDED)
            break;
        if (status == JPEG_SCAN_COMPLETED && ScaledCoefficientsComplete(info))
            break;
    }
    jpeg_start_output(&info, info.input_scan_number);
    ReadRows(bits, bytesPerLine);
    // Whatever follows is not needed; the next decode starts again from the header.
    jpeg_abort_decompress(&info);
}

TJpegImage::TJpegImage() : m_impl(std::make_unique<Impl>()) {}

TJpegImage::~TJpegImage() noexcept = default;

bool TJpegImage::LoadFromFile(const QByteArray& path)
{
    Impl& d = *m_impl;
    d.memory.clear();
    d.source.memory = nullptr;
    d.file = TFile(path);
    return d.Load();
}

bool TJpegImage::LoadFromMemory(QByteArray bytes)
{
    Impl& d = *m_impl;
    d.file.Close();
    d.memory = std::move(bytes);
    d.source.memory = &d.memory;
    return d.Load();
}

bool TJpegImage::Empty() const
{
    return !m_impl->loaded;
}

int TJpegImage::Width() const
{
    return m_impl->width;
}

int TJpegImage::Height() const
{
    return m_impl->height;
}

QImage TJpegImage::Decode()
{
    return m_impl->DecodeAt(1);
}

QImage TJpegImage::DecodeScaled(int denominator)
{
    if (denominator != 1 && denominator != 2 && denominator != 4 && denominator != 8)
        return {};
    return m_impl->DecodeAt(denominator);
}

int TJpegImage::ThumbnailScale(QSize picture, QSize thumbnail)
{
    for (int scale : kDctScales)
        if (ScaledLength(picture.width(), scale) >= thumbnail.width() &&
            ScaledLength(picture.height(), scale) >= thumbnail.height())
            return scale;
    return 1;
}

QImage TJpegImage::EmbeddedPreview(QSize size) const
{
    const QSize own(Width(), Height());
    // A picture beyond the declared limit is refused as a damaged header, preview or not.
    if (int64_t(own.width()) * own.height() > MaxDeclaredPixels)
        return {};
    const std::optional<TExifPreview> preview = ReadExifPreview(m_impl->exif);
    if (!preview || (preview->pixelSize.isValid() && preview->pixelSize != own))
        return {};
    TJpegImage embedded;
    if (!embedded.LoadFromMemory(preview->jpeg.toByteArray()))
        return {};
    const QSize found(embedded.Width(), embedded.Height());
    // A preview smaller than the thumbnail would be enlarged; one larger than the picture, or of
    // another shape, belongs to another picture (this one was cropped or resized since).
    if (found.width() < size.width() || found.height() < size.height() ||
        found.width() > own.width() || found.height() > own.height() || !SameAspect(found, own))
        return {};
    const QImage picture = embedded.DecodeScaled(ThumbnailScale(found, size));
    if (picture.isNull() || embedded.WarningCount() > 0)
        return {};
    return StretchPicture(picture, size);
}

QImage TJpegImage::DecodeThumbnail(QSize size)
{
    const QImage preview = EmbeddedPreview(size);
    if (!preview.isNull())
        return preview;
    const QImage picture = DecodeScaled(ThumbnailScale(QSize(Width(), Height()), size));
    return picture.isNull() ? QImage() : StretchPicture(picture, size);
}

QString TJpegImage::ErrorMessage() const
{
    return QString::fromLocal8Bit(m_impl->error.message);
}

int TJpegImage::WarningCount() const
{
    return static_cast<int>(m_impl->error.pub.num_warnings);
}
