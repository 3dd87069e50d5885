// MPEG video files through FFmpeg: the system-stream demuxer, the MPEG video
// and audio decoders, swscale for the pictures and swresample for the sound.
//
// The bytes are read through our own I/O callbacks (a host file or memory),
// so no file name ever reaches FFmpeg's protocol layer, and only the MPEG
// demuxer and the MPEG decoders are allowed.  Pictures and sound are read by
// two demuxers of their own over the same bytes: the sound is decoded whole
// before the pictures start, without holding the pictures' packets.

#include "platform/plat_video.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/mem.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

#include "platform/plat_file.h"
#include "platform/plat_surface.h"
#include "platform/plat_video_internal.h"

enum {
    IO_BUFFER_BYTES = 32768,
    PROBE_BYTES = 1 << 20,              // how far the stream search reads
    MAX_TARGET_SIDE = 4096,
    MAX_SOUND_FRAMES = PLAT_VIDEO_SOUND_RATE * PLAT_VIDEO_MAX_SOUND_SECONDS,
    WAV_HEADER_BYTES = 44,
};

static const char* const AllowedDecoders = "mpeg1video,mpeg2video,mp1,mp1float,mp2,mp2float,mp3,mp3float";

// One reader over the video's bytes.
struct VideoSource {
    FILE* file;
    const uint8_t* data;
    size_t size;
    size_t position;
};

// A demuxer with the decoder of its one stream.
struct Demux {
    VideoSource source;
    AVIOContext* io;
    AVFormatContext* format;
    AVCodecContext* codec;
    AVPacket* packet;
    int stream;
    int draining;   // the end was reached and the decoder is being emptied
};

struct PlatVideo {
    char hostPath[PLAT_MAX_PATH];   // empty for a memory video
    const uint8_t* data;
    size_t size;
    Demux picture;
    AVFrame* frame;
    SwsContext* scale;
    int havePicture;
    int status;   // 0 playing, 1 ended, or the negative result that stopped it
    int rateNum, rateDen;
};

const char* PlatVideoResultText(int result) {
    switch (result) {
    case PLAT_VIDEO_OK: return "no error";
    case PLAT_VIDEO_NO_FILE: return "the file is missing or unreadable";
    case PLAT_VIDEO_NOT_MPEG: return "not an MPEG system stream";
    case PLAT_VIDEO_NO_PICTURES: return "the stream holds no MPEG pictures";
    case PLAT_VIDEO_BAD_SIZE: return "pictures of no size or larger than 1024 x 768";
    case PLAT_VIDEO_CORRUPT: return "the stream is damaged";
    case PLAT_VIDEO_NO_MEMORY: return "out of memory";
    case PLAT_VIDEO_BAD_TARGET: return "no picture, or a target it cannot fill";
    default: return "unknown result";
    }
}

// ---------------------------------------------------------------------------
// Reading the bytes.

static int ReadBytes(void* opaque, uint8_t* buffer, int size) {
    VideoSource* s = (VideoSource*)opaque;
    if (size <= 0)
        return 0;
    size_t n;
    if (s->file) {
        n = fread(buffer, 1, (size_t)size, s->file);
    } else {
        const size_t left = s->size - s->position;
        n = left < (size_t)size ? left : (size_t)size;
        memcpy(buffer, s->data + s->position, n);
        s->position += n;
    }
    return n > 0 ? (int)n : AVERROR_EOF;
}

static int64_t SeekBytes(void* opaque, int64_t offset, int whence) {
    VideoSource* s = (VideoSource*)opaque;
    whence &= ~AVSEEK_FORCE;
    if (s->file) {
        if (whence == AVSEEK_SIZE) {
            const long here = ftell(s->file);
            if (here < 0 || fseek(s->file, 0, SEEK_END) != 0)
                return -1;
            const long end = ftell(s->file);
            fseek(s->file, here, SEEK_SET);
            return end;
        }
        if (whence != SEEK_SET && whence != SEEK_CUR && whence != SEEK_END)
            return -1;
        if (fseeko(s->file, (off_t)offset, whence) != 0)
            return -1;
        return (int64_t)ftello(s->file);
    }
    if (whence == AVSEEK_SIZE)
        return (int64_t)s->size;
    int64_t base;
    switch (whence) {
    case SEEK_SET: base = 0; break;
    case SEEK_CUR: base = (int64_t)s->position; break;
    case SEEK_END: base = (int64_t)s->size; break;
    default: return -1;
    }
    if (offset > (int64_t)s->size || offset < -(int64_t)s->size)
        return -1;
    const int64_t target = base + offset;
    if (target < 0 || target > (int64_t)s->size)
        return -1;
    s->position = (size_t)target;
    return target;
}

// ---------------------------------------------------------------------------
// Demuxers.

static void CloseDemux(Demux* d) {
    avcodec_free_context(&d->codec);
    av_packet_free(&d->packet);
    if (d->format)
        avformat_close_input(&d->format);
    if (d->io) {
        av_freep(&d->io->buffer);
        avio_context_free(&d->io);
    }
    if (d->source.file)
        fclose(d->source.file);
    memset(d, 0, sizeof *d);
}

static int AllowedCodec(AVMediaType type, AVCodecID id) {
    if (type == AVMEDIA_TYPE_VIDEO)
        return id == AV_CODEC_ID_MPEG1VIDEO || id == AV_CODEC_ID_MPEG2VIDEO;
    return id == AV_CODEC_ID_MP1 || id == AV_CODEC_ID_MP2 || id == AV_CODEC_ID_MP3;
}

// Opens the video's bytes again and finds the first stream of the type
// whose codec we decode.  PLAT_VIDEO_NO_PICTURES also stands for "no sound".
static int OpenDemux(const PlatVideo* v, AVMediaType type, Demux* d) {
    memset(d, 0, sizeof *d);
    d->stream = -1;
    if (v->hostPath[0]) {
        d->source.file = fopen(v->hostPath, "rb");
        if (!d->source.file)
            return PLAT_VIDEO_NO_FILE;
    } else {
        d->source.data = v->data;
        d->source.size = v->size;
    }
    uint8_t* buffer = (uint8_t*)av_malloc(IO_BUFFER_BYTES);
    if (!buffer)
        return PLAT_VIDEO_NO_MEMORY;
    d->io = avio_alloc_context(buffer, IO_BUFFER_BYTES, 0, &d->source, ReadBytes, nullptr, SeekBytes);
    d->format = avformat_alloc_context();
    d->packet = av_packet_alloc();
    if (!d->io || !d->format || !d->packet) {
        if (!d->io)
            av_free(buffer);
        return PLAT_VIDEO_NO_MEMORY;
    }
    d->format->pb = d->io;
    d->format->flags |= AVFMT_FLAG_CUSTOM_IO;
    d->format->probesize = PROBE_BYTES;
    d->format->codec_whitelist = av_strdup(AllowedDecoders);
    d->format->format_whitelist = av_strdup("mpeg");
    if (avformat_open_input(&d->format, nullptr, av_find_input_format("mpeg"), nullptr) < 0)
        return PLAT_VIDEO_NOT_MPEG;   // the format context is freed on failure
    if (avformat_find_stream_info(d->format, nullptr) < 0)
        return PLAT_VIDEO_NOT_MPEG;

    for (unsigned i = 0; i < d->format->nb_streams; i++) {
        const AVCodecParameters* p = d->format->streams[i]->codecpar;
        if (p->codec_type == type && AllowedCodec(type, p->codec_id)) {
            d->stream = (int)i;
            break;
        }
    }
    if (d->stream < 0)
        return PLAT_VIDEO_NO_PICTURES;
    const AVCodecParameters* p = d->format->streams[d->stream]->codecpar;
    if (type == AVMEDIA_TYPE_VIDEO &&
        (p->width <= 0 || p->height <= 0 || p->width > PLAT_VIDEO_MAX_WIDTH || p->height > PLAT_VIDEO_MAX_HEIGHT))
        return PLAT_VIDEO_BAD_SIZE;

    const AVCodec* decoder = avcodec_find_decoder(p->codec_id);
    if (!decoder)
        return PLAT_VIDEO_NO_PICTURES;
    d->codec = avcodec_alloc_context3(decoder);
    if (!d->codec)
        return PLAT_VIDEO_NO_MEMORY;
    if (avcodec_parameters_to_context(d->codec, p) < 0)
        return PLAT_VIDEO_CORRUPT;
    d->codec->thread_count = 1;   // one core; the game's other threads keep theirs
    if (type == AVMEDIA_TYPE_VIDEO)
        d->codec->max_pixels = PLAT_VIDEO_MAX_WIDTH * PLAT_VIDEO_MAX_HEIGHT;
    if (avcodec_open2(d->codec, decoder, nullptr) < 0)
        return PLAT_VIDEO_CORRUPT;
    return PLAT_VIDEO_OK;
}

// The next decoded frame of the demuxer's stream: 1 a frame, 0 the end.
// Packets the decoder refuses are skipped when `skipDamage` is set and end
// the stream as damaged otherwise.
static int NextFrame(Demux* d, AVFrame* frame, int skipDamage) {
    for (;;) {
        int r = avcodec_receive_frame(d->codec, frame);
        if (r == 0)
            return 1;
        if (r == AVERROR_EOF)
            return 0;
        if (r != AVERROR(EAGAIN))
            return PLAT_VIDEO_CORRUPT;
        if (d->draining)
            return 0;
        // A read error of a short or damaged file ends the data like its end.
        r = av_read_frame(d->format, d->packet);
        if (r < 0) {
            d->draining = 1;
            avcodec_send_packet(d->codec, nullptr);
            continue;
        }
        if (d->packet->stream_index == d->stream) {
            r = avcodec_send_packet(d->codec, d->packet);
            if (r < 0 && r != AVERROR(EAGAIN) && !skipDamage) {
                av_packet_unref(d->packet);
                return PLAT_VIDEO_CORRUPT;
            }
        }
        av_packet_unref(d->packet);
    }
}

// ---------------------------------------------------------------------------
// Opening and closing.

static int OpenVideo(PlatVideo* v, PlatVideo** out) {
    av_log_set_level(AV_LOG_QUIET);   // failures come back as results
    v->frame = av_frame_alloc();
    int r = v->frame ? OpenDemux(v, AVMEDIA_TYPE_VIDEO, &v->picture) : PLAT_VIDEO_NO_MEMORY;
    if (r != PLAT_VIDEO_OK) {
        PlatVideoClose(v);
        return r;
    }
    const AVRational rate = v->picture.format->streams[v->picture.stream]->avg_frame_rate;
    v->rateNum = 25;
    v->rateDen = 1;
    if (rate.num > 0 && rate.den > 0 && (int64_t)rate.num >= rate.den && (int64_t)rate.num <= 120 * (int64_t)rate.den) {
        v->rateNum = rate.num;
        v->rateDen = rate.den;
    }
    *out = v;
    return PLAT_VIDEO_OK;
}

int VideoOpenHostFile(const char* hostPath, PlatVideo** out) {
    *out = nullptr;
    if (strlen(hostPath) >= PLAT_MAX_PATH)
        return PLAT_VIDEO_NO_FILE;
    PlatVideo* v = (PlatVideo*)calloc(1, sizeof(PlatVideo));
    if (!v)
        return PLAT_VIDEO_NO_MEMORY;
    snprintf(v->hostPath, sizeof v->hostPath, "%s", hostPath);
    return OpenVideo(v, out);
}

int PlatVideoOpenMemory(const void* data, size_t size, PlatVideo** out) {
    if (!out)
        return PLAT_VIDEO_NOT_MPEG;
    *out = nullptr;
    if (!data || size == 0)
        return PLAT_VIDEO_NOT_MPEG;
    PlatVideo* v = (PlatVideo*)calloc(1, sizeof(PlatVideo));
    if (!v)
        return PLAT_VIDEO_NO_MEMORY;
    v->data = (const uint8_t*)data;
    v->size = size;
    return OpenVideo(v, out);
}

void PlatVideoClose(PlatVideo* v) {
    if (!v)
        return;
    CloseDemux(&v->picture);
    av_frame_free(&v->frame);
    sws_freeContext(v->scale);
    free(v);
}

void PlatVideoSize(const PlatVideo* v, int* width, int* height) {
    *width = v && v->picture.codec ? v->picture.codec->width : 0;
    *height = v && v->picture.codec ? v->picture.codec->height : 0;
}

void PlatVideoFrameRate(const PlatVideo* v, int* numerator, int* denominator) {
    *numerator = v ? v->rateNum : 25;
    *denominator = v ? v->rateDen : 1;
}

// ---------------------------------------------------------------------------
// Pictures.

int PlatVideoNextPicture(PlatVideo* v) {
    if (!v)
        return PLAT_VIDEO_BAD_TARGET;
    if (v->status != 0)
        return v->status > 0 ? 0 : v->status;
    const int r = NextFrame(&v->picture, v->frame, 0);
    if (r <= 0) {
        v->status = r == 0 ? 1 : r;
        v->havePicture = 0;
        return r;
    }
    // The decoder may change size inside the stream: check every picture.
    const AVFrame* f = v->frame;
    if (f->width <= 0 || f->height <= 0 || f->width > PLAT_VIDEO_MAX_WIDTH || f->height > PLAT_VIDEO_MAX_HEIGHT) {
        v->status = PLAT_VIDEO_BAD_SIZE;
        v->havePicture = 0;
        return v->status;
    }
    if (f->format < 0 || !sws_isSupportedInput((AVPixelFormat)f->format)) {
        v->status = PLAT_VIDEO_CORRUPT;
        v->havePicture = 0;
        return v->status;
    }
    v->havePicture = 1;
    return 1;
}

static AVPixelFormat TargetFormat(int format, int* bytes) {
    switch (format) {
    case PLAT_PF_RGB565: *bytes = 2; return AV_PIX_FMT_RGB565LE;
    case PLAT_PF_XRGB1555: *bytes = 2; return AV_PIX_FMT_RGB555LE;
    case PLAT_PF_XRGB8888: *bytes = 4; return AV_PIX_FMT_BGR0;   // bytes B, G, R, unused
    default: *bytes = 0; return AV_PIX_FMT_NONE;
    }
}

int PlatVideoConvert(PlatVideo* v, void* bits, int pitch, int width, int height, int format) {
    int bytes = 0;
    const AVPixelFormat target = TargetFormat(format, &bytes);
    if (!v || !v->havePicture || !bits || target == AV_PIX_FMT_NONE || width <= 0 || height <= 0 ||
        width > MAX_TARGET_SIDE || height > MAX_TARGET_SIDE || pitch < width * bytes)
        return PLAT_VIDEO_BAD_TARGET;
    const AVFrame* f = v->frame;
    v->scale = sws_getCachedContext(v->scale, f->width, f->height, (AVPixelFormat)f->format, width, height, target,
                                    SWS_BILINEAR, nullptr, nullptr, nullptr);
    if (!v->scale)
        return PLAT_VIDEO_CORRUPT;
    uint8_t* planes[4] = {(uint8_t*)bits, nullptr, nullptr, nullptr};
    const int strides[4] = {pitch, 0, 0, 0};
    if (sws_scale(v->scale, f->data, f->linesize, 0, f->height, planes, strides) != height)
        return PLAT_VIDEO_CORRUPT;
    return PLAT_VIDEO_OK;
}

// ---------------------------------------------------------------------------
// Sound.

struct SoundBuffer {
    uint8_t* bytes;    // the WAV header's room, then stereo 16-bit frames
    int capacity;      // in frames
    int frames;
};

static int GrowSound(SoundBuffer* b, int wanted) {
    if (wanted <= b->capacity)
        return 1;
    int capacity = b->capacity ? b->capacity : PLAT_VIDEO_SOUND_RATE;
    while (capacity < wanted)
        capacity = capacity > MAX_SOUND_FRAMES / 2 ? MAX_SOUND_FRAMES : capacity * 2;
    uint8_t* bytes = (uint8_t*)realloc(b->bytes, WAV_HEADER_BYTES + (size_t)capacity * 4);
    if (!bytes)
        return 0;
    b->bytes = bytes;
    b->capacity = capacity;
    return 1;
}

static void Put32(uint8_t* at, uint32_t v) {
    at[0] = (uint8_t)v;
    at[1] = (uint8_t)(v >> 8);
    at[2] = (uint8_t)(v >> 16);
    at[3] = (uint8_t)(v >> 24);
}

static void WriteWavHeader(uint8_t* h, int frames) {
    const uint32_t dataBytes = (uint32_t)frames * 4;
    memcpy(h, "RIFF", 4);
    Put32(h + 4, 36 + dataBytes);
    memcpy(h + 8, "WAVEfmt ", 8);
    Put32(h + 16, 16);
    Put32(h + 20, 1 | (2u << 16));                       // PCM, two channels
    Put32(h + 24, PLAT_VIDEO_SOUND_RATE);
    Put32(h + 28, PLAT_VIDEO_SOUND_RATE * 4);
    Put32(h + 32, 4 | (16u << 16));                      // block of 4 bytes, 16 bits
    memcpy(h + 36, "data", 4);
    Put32(h + 40, dataBytes);
}

// The resampler for the frame's own format, rebuilt when it changes.
struct Resampler {
    SwrContext* swr;
    int rate;
    int format;
    AVChannelLayout layout;
};

static int FitResampler(Resampler* rs, const AVFrame* f) {
    // Zeroed: the copy releases what its destination holds first.
    AVChannelLayout layout = {};
    if (f->ch_layout.order == AV_CHANNEL_ORDER_UNSPEC || av_channel_layout_check(&f->ch_layout) == 0)
        av_channel_layout_default(&layout, f->ch_layout.nb_channels);
    else if (av_channel_layout_copy(&layout, &f->ch_layout) < 0)
        return 0;
    if (rs->swr && rs->rate == f->sample_rate && rs->format == f->format &&
        av_channel_layout_compare(&rs->layout, &layout) == 0) {
        av_channel_layout_uninit(&layout);
        return 1;
    }
    swr_free(&rs->swr);
    av_channel_layout_uninit(&rs->layout);
    rs->layout = layout;
    rs->rate = f->sample_rate;
    rs->format = f->format;
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;   // this FFmpeg takes it non-const
    if (swr_alloc_set_opts2(&rs->swr, &stereo, AV_SAMPLE_FMT_S16, PLAT_VIDEO_SOUND_RATE, &rs->layout,
                            (AVSampleFormat)f->format, f->sample_rate, 0, nullptr) < 0 ||
        swr_init(rs->swr) < 0) {
        swr_free(&rs->swr);
        return 0;
    }
    return 1;
}

// Runs input frames (or, with none, the resampler's tail) into the buffer
// up to the 3-minute cap; 0 when the cap is reached or memory ran out.
static int Resample(Resampler* rs, SoundBuffer* b, const AVFrame* f) {
    const int room = MAX_SOUND_FRAMES - b->frames;
    int wanted = swr_get_out_samples(rs->swr, f ? f->nb_samples : 0);
    if (wanted < 0)
        return 0;
    if (wanted > room)
        wanted = room;
    if (wanted == 0)
        return room > 0;
    if (!GrowSound(b, b->frames + wanted))
        return 0;
    uint8_t* out = b->bytes + WAV_HEADER_BYTES + (size_t)b->frames * 4;
    const int n = swr_convert(rs->swr, &out, wanted, f ? (const uint8_t**)f->extended_data : nullptr,
                              f ? f->nb_samples : 0);
    if (n > 0)
        b->frames += n;
    return b->frames < MAX_SOUND_FRAMES;
}

static int PlausibleSoundFrame(const AVFrame* f) {
    return f->sample_rate > 0 && f->sample_rate <= 384000 && f->ch_layout.nb_channels > 0 &&
           f->ch_layout.nb_channels <= 8 && f->nb_samples > 0 && f->nb_samples <= 65536 && f->format >= 0;
}

int PlatVideoDecodeSound(PlatVideo* v, void** wavImage, int* wavBytes) {
    *wavImage = nullptr;
    *wavBytes = 0;
    if (!v)
        return 0;
    Demux d = {};
    AVFrame* frame = av_frame_alloc();
    if (!frame || OpenDemux(v, AVMEDIA_TYPE_AUDIO, &d) != PLAT_VIDEO_OK) {
        av_frame_free(&frame);
        CloseDemux(&d);
        return 0;
    }
    SoundBuffer buffer = {};
    Resampler rs = {};
    int going = 1;
    while (going && NextFrame(&d, frame, 1) > 0) {
        if (PlausibleSoundFrame(frame) && FitResampler(&rs, frame))
            going = Resample(&rs, &buffer, frame);
        av_frame_unref(frame);
    }
    if (going && rs.swr)
        Resample(&rs, &buffer, nullptr);
    swr_free(&rs.swr);
    av_channel_layout_uninit(&rs.layout);
    av_frame_free(&frame);
    CloseDemux(&d);
    if (buffer.frames == 0) {
        free(buffer.bytes);
        return 0;
    }
    WriteWavHeader(buffer.bytes, buffer.frames);
    *wavImage = buffer.bytes;
    *wavBytes = WAV_HEADER_BYTES + buffer.frames * 4;
    return buffer.frames;
}
