// The intro videos, encoded with libavcodec's MPEG-1 video and MP2 encoders
// into an MPEG system stream in memory.  Every encoder runs single-threaded
// and bit-exact, so the folder is the same on every build.

#include "mkdata_video.h"

#include <cmath>
#include <cstdio>
#include <numbers>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/mem.h>
}

#include "mkdata.h"

const MkSampleVideo MkSampleVideos[3] = {
    {"Video\\Glimmerfax.mpg", 200, 40, 40, 440},
    {"Video\\tavrin.mpg", 40, 200, 40, 660},
    {"Video\\intro.mpg", 40, 40, 200, 880},
};

constexpr int SOUND_RATE = 44100;
constexpr int BAR_WIDTH = 32;

static int WriteBytes(void* opaque, uint8_t* data, int size) {
    std::vector<uint8_t>* out = (std::vector<uint8_t>*)opaque;
    out->insert(out->end(), data, data + size);
    return size;
}

// Sends a frame (null: the end) and writes every packet that comes out.
static bool Encode(AVFormatContext* muxer, AVCodecContext* codec, AVStream* stream, AVFrame* frame,
                   AVPacket* packet) {
    if (avcodec_send_frame(codec, frame) < 0)
        return false;
    for (;;) {
        const int r = avcodec_receive_packet(codec, packet);
        if (r == AVERROR(EAGAIN) || r == AVERROR_EOF)
            return true;
        if (r < 0)
            return false;
        av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        if (av_interleaved_write_frame(muxer, packet) < 0)
            return false;
    }
}

static uint8_t Clamp8(double v) { return (uint8_t)(v < 0 ? 0 : v > 255 ? 255 : std::lround(v)); }

// Picture n: the colour (studio-range BT.601), the bar at its place.
static void PaintPicture(const MkSampleVideo& look, int n, int frames, AVFrame* f) {
    const double r = look.red, g = look.green, b = look.blue;
    const uint8_t y = Clamp8(16 + (65.738 * r + 129.057 * g + 25.064 * b) / 256);
    const uint8_t u = Clamp8(128 + (-37.945 * r - 74.494 * g + 112.439 * b) / 256);
    const uint8_t v = Clamp8(128 + (112.439 * r - 94.154 * g - 18.285 * b) / 256);
    const int barX = frames > 1 ? (n * (f->width - BAR_WIDTH) / (frames - 1)) & ~1 : 0;
    for (int row = 0; row < f->height; row++) {
        uint8_t* line = f->data[0] + row * f->linesize[0];
        for (int x = 0; x < f->width; x++)
            line[x] = row < MK_VIDEO_BAR_ROWS && x >= barX && x < barX + BAR_WIDTH ? 235 : y;
    }
    for (int row = 0; row < f->height / 2; row++) {
        uint8_t* lineU = f->data[1] + row * f->linesize[1];
        uint8_t* lineV = f->data[2] + row * f->linesize[2];
        for (int x = 0; x < f->width / 2; x++) {
            const int bar = row * 2 < MK_VIDEO_BAR_ROWS && x * 2 >= barX && x * 2 < barX + BAR_WIDTH;
            lineU[x] = bar ? 128 : u;
            lineV[x] = bar ? 128 : v;
        }
    }
}

struct Encoders {
    AVFormatContext* muxer = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* sound = nullptr;
    AVStream* videoStream = nullptr;
    AVStream* soundStream = nullptr;
    AVFrame* picture = nullptr;
    AVFrame* samples = nullptr;
    AVPacket* packet = nullptr;

    ~Encoders() {
        avcodec_free_context(&video);
        avcodec_free_context(&sound);
        av_frame_free(&picture);
        av_frame_free(&samples);
        av_packet_free(&packet);
        if (muxer) {
            if (muxer->pb) {
                av_freep(&muxer->pb->buffer);
                avio_context_free(&muxer->pb);
            }
            avformat_free_context(muxer);
        }
    }
};

static AVStream* AddStream(Encoders& e, AVCodecContext* codec) {
    if (e.muxer->oformat->flags & AVFMT_GLOBALHEADER)
        codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    AVStream* stream = avformat_new_stream(e.muxer, nullptr);
    if (!stream || avcodec_open2(codec, codec->codec, nullptr) < 0 ||
        avcodec_parameters_from_context(stream->codecpar, codec) < 0)
        return nullptr;
    stream->time_base = codec->time_base;
    return stream;
}

static bool OpenEncoders(Encoders& e, std::vector<uint8_t>* out, const MkVideoShape& shape) {
    if (avformat_alloc_output_context2(&e.muxer, nullptr, "mpeg", nullptr) < 0 || !e.muxer)
        return false;
    e.muxer->flags |= AVFMT_FLAG_BITEXACT;

    const AVCodec* videoCodec = avcodec_find_encoder(AV_CODEC_ID_MPEG1VIDEO);
    const AVCodec* soundCodec = avcodec_find_encoder(AV_CODEC_ID_MP2);
    if (!videoCodec || !soundCodec)
        return false;
    e.video = avcodec_alloc_context3(videoCodec);
    e.sound = avcodec_alloc_context3(soundCodec);
    if (!e.video || !e.sound)
        return false;
    e.video->width = shape.width;
    e.video->height = shape.height;
    e.video->time_base = {1, MK_VIDEO_FPS};
    e.video->framerate = {MK_VIDEO_FPS, 1};
    e.video->pix_fmt = AV_PIX_FMT_YUV420P;
    e.video->gop_size = 12;
    e.video->max_b_frames = 0;
    e.video->flags |= AV_CODEC_FLAG_QSCALE | AV_CODEC_FLAG_BITEXACT;
    e.video->global_quality = FF_QP2LAMBDA * 3;
    e.video->thread_count = 1;
    e.sound->sample_rate = SOUND_RATE;
    e.sound->sample_fmt = AV_SAMPLE_FMT_S16;
    const AVChannelLayout mono = AV_CHANNEL_LAYOUT_MONO;
    if (av_channel_layout_copy(&e.sound->ch_layout, &mono) < 0)
        return false;
    e.sound->bit_rate = 64000;
    e.sound->time_base = {1, SOUND_RATE};
    e.sound->flags |= AV_CODEC_FLAG_BITEXACT;
    e.sound->thread_count = 1;
    if (shape.pictures && !(e.videoStream = AddStream(e, e.video)))
        return false;
    if (shape.sound && !(e.soundStream = AddStream(e, e.sound)))
        return false;

    uint8_t* buffer = (uint8_t*)av_malloc(4096);
    if (!buffer)
        return false;
    e.muxer->pb = avio_alloc_context(buffer, 4096, 1, out, nullptr, WriteBytes, nullptr);
    if (!e.muxer->pb) {
        av_free(buffer);
        return false;
    }

    e.picture = av_frame_alloc();
    e.samples = av_frame_alloc();
    e.packet = av_packet_alloc();
    if (!e.picture || !e.samples || !e.packet)
        return false;
    e.picture->format = AV_PIX_FMT_YUV420P;
    e.picture->width = shape.width;
    e.picture->height = shape.height;
    e.samples->format = AV_SAMPLE_FMT_S16;
    e.samples->nb_samples = shape.sound ? e.sound->frame_size : 1152;
    e.samples->sample_rate = SOUND_RATE;
    return av_channel_layout_copy(&e.samples->ch_layout, &mono) >= 0 && av_frame_get_buffer(e.picture, 0) >= 0 &&
           av_frame_get_buffer(e.samples, 0) >= 0;
}

bool MkEncodeSampleVideo(const MkSampleVideo& look, std::vector<uint8_t>* out, const MkVideoShape& shape) {
    out->clear();
    av_log_set_level(AV_LOG_ERROR);
    Encoders e;
    if (!OpenEncoders(e, out, shape) || avformat_write_header(e.muxer, nullptr) < 0)
        return false;
    // Pictures and sound in time order, so the stream comes out interleaved.
    const int pictures = shape.pictures ? shape.frames : 0;
    const int64_t samples = shape.sound ? (int64_t)SOUND_RATE * shape.frames / MK_VIDEO_FPS : 0;
    int picture = 0;
    int64_t sample = 0;
    while (picture < pictures || sample < samples) {
        const bool pictureNext =
            picture < pictures && (sample >= samples || (int64_t)picture * SOUND_RATE <= sample * MK_VIDEO_FPS);
        bool ok;
        if (pictureNext) {
            ok = av_frame_make_writable(e.picture) >= 0;
            PaintPicture(look, picture, shape.frames, e.picture);
            e.picture->pts = picture++;
            ok = ok && Encode(e.muxer, e.video, e.videoStream, e.picture, e.packet);
        } else {
            ok = av_frame_make_writable(e.samples) >= 0;
            int16_t* pcm = (int16_t*)e.samples->data[0];
            for (int i = 0; i < e.samples->nb_samples; i++)
                pcm[i] = (int16_t)std::lround(
                    16000.0 * std::sin(2.0 * std::numbers::pi * look.toneHz * (sample + i) / SOUND_RATE));
            e.samples->pts = sample;
            sample += e.samples->nb_samples;
            ok = ok && Encode(e.muxer, e.sound, e.soundStream, e.samples, e.packet);
        }
        if (!ok)
            return false;
    }
    return (!e.videoStream || Encode(e.muxer, e.video, e.videoStream, nullptr, e.packet)) &&
           (!e.soundStream || Encode(e.muxer, e.sound, e.soundStream, nullptr, e.packet)) &&
           av_write_trailer(e.muxer) >= 0 &&
           (avio_flush(e.muxer->pb), !out->empty());
}

bool MakeVideoData(const MkOptions&) {
    for (const MkSampleVideo& video : MkSampleVideos) {
        std::vector<uint8_t> bytes;
        if (!MkEncodeSampleVideo(video, &bytes)) {
            fprintf(stderr, "mkdata: cannot encode %s\n", video.gamePath);
            return false;
        }
        if (!MkWriteFile(video.gamePath, bytes.data(), bytes.size()))
            return false;
    }
    return true;
}
