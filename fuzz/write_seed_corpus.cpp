// Writes the valid sample records, one file each, into the folder named on the command line.
#include <stdio.h>

#include <string>

#include "support/tlv_samples.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        fprintf(stderr, "usage: write_seed_corpus FOLDER\n");
        return 2;
    }
    int index = 0;
    for (const TlvSample& sample : ValidSamples()) {
        const std::string path = std::string(argv[1]) + "/seed-" + std::to_string(index++);
        FILE* file = fopen(path.c_str(), "wb");
        if (file == nullptr ||
            fwrite(sample.bytes.data(), 1, sample.bytes.size(), file) != sample.bytes.size()) {
            perror(path.c_str());
            return 1;
        }
        fclose(file);
    }
    return 0;
}
