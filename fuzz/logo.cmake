# Readers of logo pictures and of logotool's command line.
pkg_fuzz(logo_source ${CMAKE_CURRENT_SOURCE_DIR}/logo_source.cpp pkg_logo)
pkg_fuzz(logo_column_data ${CMAKE_CURRENT_SOURCE_DIR}/logo_column_data.cpp pkg_logo)
pkg_fuzz(logo_gray_raster ${CMAKE_CURRENT_SOURCE_DIR}/logo_gray_raster.cpp pkg_logo)
pkg_fuzz(logo_file_check ${CMAKE_CURRENT_SOURCE_DIR}/logo_file_check.cpp pkg_logo)
pkg_fuzz(logotool_args ${CMAKE_CURRENT_SOURCE_DIR}/logotool_args.cpp logotool_cli)
pkg_fuzz(logo_stream ${CMAKE_CURRENT_SOURCE_DIR}/logo_stream.cpp pkg_logo)
pkg_fuzz(logo_job_preview ${CMAKE_CURRENT_SOURCE_DIR}/logo_job_preview.cpp pkg_logo)
