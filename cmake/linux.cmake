# Native Linux build: the plug-in's sources linked with the stand-in host, for
# fast tests under the sanitizers.
set(CONFIG_FILE_SOURCE config/config_file_posix.cpp)
