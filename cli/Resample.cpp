#include "Resample.h"

#include "CliError.h"

#include <samplerate.h>

#include <cmath>

std::vector<std::vector<float>> ResampleChannels(const std::vector<std::vector<float>>& channels, double fFromRate,
                                                 double fToRate)
{
    if (fFromRate == fToRate)
        return channels;
    const double ratio = fToRate / fFromRate;
    std::vector<std::vector<float>> out;
    for (const std::vector<float>& in : channels) {
        std::vector<float> converted(size_t(std::ceil(double(in.size()) * ratio)) + 1);
        SRC_DATA data{};
        data.data_in = in.data();
        data.input_frames = long(in.size());
        data.data_out = converted.data();
        data.output_frames = long(converted.size());
        data.src_ratio = ratio;
        if (const int error = src_simple(&data, SRC_SINC_BEST_QUALITY, 1))
            throw CCliError(std::string("cannot resample the input: ") + src_strerror(error));
        converted.resize(size_t(data.output_frames_gen));
        out.push_back(std::move(converted));
    }
    return out;
}
