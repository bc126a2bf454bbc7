# One switch for AddressSanitizer and UndefinedBehaviorSanitizer, applied to
# everything we compile and link so that the checks see every frame.
if(VELMORA_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
